#include "editortesting.h"
#include "ui/editor/formchannel.h"
#include "ui/editor/frequencyfield.h"
#include "ui/grid/channelgrid.h"
#include "ui/settings/settingspages.h"
#include "windowtesting.h"

#include <QAccessible>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

// The windows as a screen reader sees them, through Qt's accessibility
// interfaces: the channel grid as a table, the controls by their names.
class TestAccessibility : public QObject, WindowTesting
{
    Q_OBJECT

    QAccessibleTableInterface *Table()
    {
        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(Main().grid());
        return grid ? grid->tableInterface() : nullptr;
    }
    QString Cell(int row, int column) { return Table()->cellAt(row, column)->text(QAccessible::Name); }

    QWidget *Control(const QString &name)
    {
        TFormChan *editor = m_windows.chan;
        editor->EnsureBuilt();
        const QHash<QString, QWidget *> unnamed{{QStringLiteral("MaskEditFreqTx"), editor->MaskEditFreqTx},
                                                {QStringLiteral("ButtonFreqEqual"), editor->ButtonFreqEqual}};
        return unnamed.contains(name) ? unnamed[name] : Main().findChild<QWidget *>(name);
    }

private slots:
    void initTestCase() { IsolateSettings(); }
    void init()
    {
        OpenWindows();
        QVERIFY(Main().OpenFile(QStringLiteral(KD_SOURCE_DIR "/docs/example-config.xml")));
    }
    void cleanup() { CloseWindows(); }

    void gridIsTable()
    {
        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(Main().grid());
        QCOMPARE(grid->role(), QAccessible::Table);
        QCOMPARE(grid->text(QAccessible::Name), QStringLiteral("Каналы"));
        QAccessibleTableInterface *table = Table();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 100);
        QCOMPARE(table->columnCount(), 12);
        QCOMPARE(grid->childCount(), 12 + 100 * 12);
        QAccessibleInterface *last = table->cellAt(99, 11);
        QCOMPARE(grid->child(grid->indexOfChild(last)), last);
        QAccessibleTableCellInterface *cell = last->tableCellInterface();
        QCOMPARE(cell->rowIndex(), 99);
        QCOMPARE(cell->columnHeaderCells().value(0)->text(QAccessible::Name),
                 QStringLiteral("Передача на занятом канале"));
        QCOMPARE(table->columnDescription(2), QStringLiteral("Рабочая частота (Гц)"));
    }

    // What each kind of cell says, for channels of the example file.
    void cellText_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("number") << 0 << 0 << "00";
        QTest::newRow("one frequency") << 0 << 2 << "41 900 000";
        QTest::newRow("two frequencies") << 1 << 2 << "прием 42 100 000; передача 43 100 000";
        QTest::newRow("two bandwidths") << 1 << 1 << "прием 25,0; передача 12,5";
        QTest::newRow("two DCS codes") << 1 << 3 << "прием DCS: 023; передача DCS: 065";
        QTest::newRow("transmit call tone only") << 1 << 4 << "передача 1750";
        QTest::newRow("receive only") << 2 << 2 << "прием 36 525 000";
        QTest::newRow("one CTCSS tone") << 0 << 3 << "CTCSS: 100,0";
        QTest::newRow("squelch") << 1 << 5 << "L3";
        QTest::newRow("power") << 1 << 6 << "10/40";
        QTest::newRow("mark set") << 0 << 8 << "да";
        QTest::newRow("mark clear") << 0 << 9 << "нет";
        QTest::newRow("unused number") << 50 << 0 << "50";
        QTest::newRow("unused frequency") << 50 << 2 << "";
        QTest::newRow("unused mark") << 50 << 11 << "";
    }
    void cellText()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QCOMPARE(Cell(row, column), text);
    }

    // An edit, its undo and the selection the editor leaves are exposed at once.
    void cellTextFollowsEdit()
    {
        const QString before = Cell(2, 2);
        m_dialogs->onExec = [](QDialog *d) {
            auto *editor = qobject_cast<TFormChan *>(d);
            editor->show();
            editor->CheckBoxFreqTx->click();
            Type(editor->MaskEditFreqTx, QStringLiteral("365500"));
            editor->ButtonNext->click();
            editor->ButtonOK->click();
            return editor->result();
        };
        Main().grid()->setCurrentRow(3);
        Main().ActionEditChannel->trigger();
        QCOMPARE(Cell(2, 2), QStringLiteral("прием 36 525 000; передача 36 550 000"));
        QCOMPARE(Table()->selectedRows(), QList<int>{3});
        QVERIFY(Table()->cellAt(3, 0)->state().selected);
        QVERIFY(!Table()->cellAt(2, 0)->state().selected);
        Main().ActionUndo->trigger();
        QCOMPARE(Cell(2, 2), before);
    }

    void selectionExposed()
    {
        Main().grid()->setFocus();
        Main().grid()->selectRows(4, 6);
        QCOMPARE(Table()->selectedRows(), (QList<int>{3, 4, 5}));
        QCOMPARE(Table()->selectedCellCount(), 3 * 12);
        QVERIFY(Table()->cellAt(5, 0)->state().focused);
        QVERIFY(!Table()->cellAt(3, 0)->state().focused);
        QVERIFY(Table()->selectRow(70));
        QCOMPARE(Main().grid()->selectedRows(), QList<int>{71});
    }

    // A cell's press opens its channel in the editor, as a double click does.
    void cellPressEdits()
    {
        QAccessibleInterface *cell = Table()->cellAt(7, 3);
        cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(m_dialogs->executed, QList<QDialog *>{m_windows.chan});
        QCOMPARE(m_windows.chan->channelIndex(), 7);
    }

    // Controls by their own label, or by a name where there is none; the hint
    // or the state of a picture button is the description.
    void controlNames_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("scan pause") << "EditScanPause" << "Длительность паузы" << "";
        QTest::newRow("transmit limit") << "EditTxLimit" << "Длительность передачи" << "";
        QTest::newRow("transmit pause") << "EditTxPause" << "Длительность паузы" << "";
        QTest::newRow("start channel") << "EditStartChannel" << "Стартовый" << "";
        QTest::newRow("lock") << "ButtonStartChannelLock" << "Блокировка стартового канала" << "Не заблокирован";
        QTest::newRow("volume bar") << "TrackBarVolume" << "Текущий уровень громкости" << "";
        QTest::newRow("volume box") << "EditVolume" << "Текущий уровень громкости" << "";
        QTest::newRow("minimum volume") << "TrackBarMinVolume" << "Минимальный уровень громкости" << "";
        QTest::newRow("key beep") << "CheckBoxKeyBeep" << "Звук нажатия кнопок" << "";
        QTest::newRow("station id") << "EditID" << "Идентификатор станции" << "";
        QTest::newRow("editor frequency") << "MaskEditFreqTx" << "Частота передачи" << "Частота передачи";
        QTest::newRow("editor link") << "ButtonFreqEqual" << "Одинаковая частота приема и передачи"
                                     << "Прием и передача не связаны";
    }
    void controlNames()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QWidget *widget = Control(control);
        QVERIFY2(widget, qPrintable(control));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Description), description);
    }

    void lockStateIsDescribed()
    {
        auto *lock = Main().findChild<QToolButton *>(QStringLiteral("ButtonStartChannelLock"));
        lock->click();
        QCOMPARE(QAccessible::queryAccessibleInterface(lock)->text(QAccessible::Description),
                 QStringLiteral("Заблокирован"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
