#!/usr/bin/env python3
"""kd-tune as a screen reader sees it, through the AT-SPI bus.

Starts kd-tune on a virtual X server (Xvfb) inside a private D-Bus session
with Qt's accessibility bridge switched on, lets it open docs/example-config.xml
and walks its accessibility tree with pyatspi, as Orca would: the channel grid
must be a table of 100 rows and 12 columns holding the file's channels, the
settings fields must be named by their labels, and no control of the window
may go without a name.

    atspi_check.py KD_TUNE EXAMPLE            the check: exit 0, 1 on a finding,
                                               77 when a needed package is missing
    atspi_check.py KD_TUNE EXAMPLE --tree     also prints the main window's tree,
                                               shortened (the table's first rows)
    atspi_check.py KD_TUNE EXAMPLE --dialog   also opens channel 0 in the editor
                                               (the first cell's "Press" action) and
                                               prints the editor's tree

Debian packages: xvfb, dbus (dbus-run-session), at-spi2-core, python3-pyatspi.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
INNER = "KD_ATSPI_INNER"
TIMEOUT = 30.0

# Roles a user works with; each must be named (or labelled by a label).
CONTROL_ROLES = {"push button", "toggle button", "check box", "radio button", "combo box", "text", "entry",
                 "slider", "spin button", "page tab", "table"}

# Fields of the settings pages and the names they must be read by.
NAMED_FIELDS = [
    ("text", "Длительность передачи", 1),
    ("text", "Длительность паузы", 2),
    ("text", "Стартовый", 1),
    ("text", "Идентификатор станции", 1),
    ("slider", "Текущий уровень громкости", 1),
    ("push button", "Блокировка стартового канала", 1),
]


def missing_packages():
    missing = []
    if not shutil.which("Xvfb"):
        missing.append("xvfb")
    if not shutil.which("dbus-run-session"):
        missing.append("dbus")
    if not any(os.path.exists(p) for p in ("/usr/libexec/at-spi-bus-launcher",
                                            "/usr/lib/at-spi2-core/at-spi-bus-launcher")):
        missing.append("at-spi2-core")
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        missing.append("python3-pyatspi")
    return missing


def start_xvfb():
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as pipe:
        display = pipe.readline().strip()
    if not display:
        xvfb.kill()
        raise RuntimeError("Xvfb did not start")
    return xvfb, ":" + display


def outer(argv):
    missing = missing_packages()
    if missing:
        print("SKIP: the AT-SPI check needs the Debian packages " + ", ".join(missing))
        return SKIP
    xvfb, display = start_xvfb()
    try:
        env = dict(os.environ, DISPLAY=display, **{INNER: "1"})
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        return subprocess.run(["dbus-run-session", "--", sys.executable, os.path.abspath(__file__)] + argv,
                              env=env, timeout=120).returncode
    finally:
        xvfb.terminate()
        xvfb.wait()


# --- inside the session ------------------------------------------------------

def wait_for(what, probe, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            found = probe()
        except Exception:  # the tree changes while it is walked
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise RuntimeError("gave up waiting for " + what)


def find_app(pyatspi, pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def walk(acc, visit, depth=0):
    """Calls visit(acc, depth) for acc and its descendants; a table's cells are
    left out (visit sees the table)."""
    visit(acc, depth)
    if acc.getRoleName() == "table":
        return
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            walk(child, visit, depth + 1)


def find(acc, role, name=None):
    found = []
    walk(acc, lambda a, d: found.append(a) if a.getRoleName() == role and (name is None or a.name == name) else None)
    return found


def labelled(pyatspi, acc):
    return any(r.getRelationType() == pyatspi.RELATION_LABELLED_BY for r in acc.getRelationSet())


def describe(acc):
    text = "%s \"%s\"" % (acc.getRoleName(), acc.name)
    if acc.description and acc.description != acc.name:
        text += " (%s)" % acc.description
    return text


def print_tree(root, cells_shown=2):
    def visit(acc, depth):
        print("  " * depth + describe(acc))
        if acc.getRoleName() != "table":
            return
        table = acc.queryTable()
        print("  " * (depth + 1) + "headers: " + " | ".join(table.getColumnDescription(c)
                                                          for c in range(table.nColumns)))
        for r in range(cells_shown):
            print("  " * (depth + 1) + "row %d: " % r + " | ".join(table.getAccessibleAt(r, c).name
                                                                   for c in range(table.nColumns)))
        print("  " * (depth + 1) + "... %d rows x %d columns" % (table.nRows, table.nColumns))
    walk(root, visit)


def check_main_window(pyatspi, frame):
    findings = []
    tables = find(frame, "table")
    if len(tables) != 1:
        return ["expected one table, found %d" % len(tables)]
    table = tables[0].queryTable()
    if (table.nRows, table.nColumns) != (100, 12):
        findings.append("the table is %d x %d, not 100 x 12" % (table.nRows, table.nColumns))
    if table.getColumnDescription(2) != "Рабочая частота (Гц)":
        findings.append("column 2 is headed \"%s\"" % table.getColumnDescription(2))
    if table.getAccessibleAt(0, 2).name != "41 900 000":
        findings.append("channel 0 reads \"%s\", not the file's frequency" % table.getAccessibleAt(0, 2).name)

    for role, name, count in NAMED_FIELDS:
        if len(find(frame, role, name)) != count:
            findings.append("expected %d %s named \"%s\"" % (count, role, name))

    def unnamed(acc, depth):
        if (acc.getRoleName() in CONTROL_ROLES and not acc.name and not labelled(pyatspi, acc)
                and acc.getState().contains(pyatspi.STATE_FOCUSABLE)):
            findings.append("a %s without a name" % acc.getRoleName())
    walk(frame, unnamed)
    return findings


def inner(kd_tune, config, options):
    import pyatspi

    # The accessibility bus and its registry are started before the program,
    # which looks for them once as it starts.
    pyatspi.Registry.getDesktop(0).childCount
    with tempfile.TemporaryDirectory() as home:
        runtime = os.path.join(home, "run")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_DATA_HOME=os.path.join(home, "data"), XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        log_path = os.path.join(home, "kd-tune.log")
        log = open(log_path, "w")
        program = subprocess.Popen([kd_tune, config], env=env, stdout=log, stderr=subprocess.STDOUT)
        findings = []
        try:
            app = wait_for("kd-tune on the AT-SPI bus", lambda: find_app(pyatspi, program.pid))
            frame = wait_for("the main window with the file's channels", lambda: next(
                (f for f in app if f is not None and find(f, "table")
                 and find(f, "table")[0].queryTable().getAccessibleAt(0, 2).name), None))
            findings = check_main_window(pyatspi, frame)
            if "--tree" in options:
                print_tree(frame)
            if "--dialog" in options:
                # The press waits for the modal editor to close, so another
                # process makes it.
                presser = subprocess.Popen([sys.executable, os.path.abspath(__file__), "--press", str(program.pid)])
                dialog = wait_for("the channel editor", lambda: next(
                    (d for d in app if d is not None and d.getRoleName() == "dialog"), None))
                print()
                print_tree(dialog)
                presser.kill()
                presser.wait()
        except RuntimeError as e:
            findings.append(str(e))
        finally:
            program.terminate()
            try:
                program.wait(10)
            except subprocess.TimeoutExpired:
                program.kill()
            log.close()
            if findings:
                with open(log_path) as f:
                    output = f.read().strip()
                if output:
                    print("kd-tune said:\n" + output[-4000:])
    for f in findings:
        print("FAIL: " + f)
    if not findings:
        print("PASS: a table of 100 x 12 channels, the settings fields named by their labels, every control named")
    return 1 if findings else 0


def press_first_cell(pid):
    """Opens channel 0 in the editor through the cell's "Press" action."""
    import pyatspi
    app = find_app(pyatspi, pid)
    cell = find(next(f for f in app if f is not None), "table")[0].queryTable().getAccessibleAt(0, 0)
    action = cell.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)
    return 0


def main(argv):
    if len(argv) == 2 and argv[0] == "--press":
        return press_first_cell(int(argv[1]))
    if len(argv) < 2:
        print(__doc__)
        return 2
    if os.environ.get(INNER) != "1":
        return outer(argv)
    return inner(argv[0], argv[1], argv[2:])


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
