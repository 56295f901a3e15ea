// The main window's language menu and its texts in the language in force.

#include "job/language.h"
#include "ui/app/dialogseam.h"
#include "ui/window/edithistory.h"
#include "ui/window/mainwindow.h"
#include "ui/window/statuspanels.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

void TForm1::CreateLanguageMenu()
{
    // The menu's title names it in both languages, and each language is named
    // in itself, so that a user who reads only one of them finds the way back.
    m_languageMenu = new QMenu(QStringLiteral("Язык / Language"), this);
    m_languageMenu->setObjectName(QStringLiteral("MenuLanguage"));
    auto *group = new QActionGroup(this);
    auto add = [&](QAction *&action, const char *name, const QString &text, const QString &code) {
        action = m_languageMenu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        action->setChecked(language::Current() == code);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, code] { ChooseLanguage(code); });
    };
    add(ActionLanguageRu, "ActionLanguageRu", QStringLiteral("Русский"), QStringLiteral("ru"));
    add(ActionLanguageEn, "ActionLanguageEn", QStringLiteral("English"), QStringLiteral("en"));
    menuBar()->insertMenu(ActionAbout, m_languageMenu);
}

void TForm1::ChooseLanguage(const QString &code)
{
    language::Store(code);
    if (code == language::Current())
        return;
    if (!language::Install(code)) {
        ActionLanguageRu->setChecked(language::Current() == QLatin1String("ru"));
        ActionLanguageEn->setChecked(language::Current() == QLatin1String("en"));
        return;
    }
    // The translator is in force: this message is in the new language, and
    // the LanguageChange events it posted turn this window (changeEvent) and
    // the grid's headings over; the rest was built in the old one.
    DialogSeam::Current().Message(this, DialogSeam::Icon::Information,
                                  tr("Меню, вкладки и заголовок главного окна уже на выбранном языке. "
                                     "Остальные окна и страницы настроек будут на нём после перезапуска программы."));
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        RetranslateUi();
        // Headings in another language may need wider columns; the grid has
        // measured them once its own change has come.
        if (m_shown)
            QTimer::singleShot(0, this, &TForm1::FitToGrid);
    }
}

void TForm1::RetranslateUi()
{
    // The caption is the tool bar's tip and button text; the menu entry says
    // more where it opens a dialog or names the radio. Menu-only entries keep
    // the tip Qt derives from their text.
    struct Texts
    {
        QAction *action;
        QString caption;
        QString menuText;
        bool menuOnly = false;
    };
    const Texts texts[] = {
        {FileCreate, tr("Создать"), {}},
        {FileOpen1, tr("Открыть"), {}},
        {FileSaveAs1, tr("Сохранить как"), tr("Сохранить как ...")},
        {ActionGridRiver, tr("Судовая сетка частот"), {}},
        {ActionGridBank, tr("Береговая сетка частот"), {}},
        {ActionGetInfo, tr("Информация"), {}},
        {ActionRead, tr("Прочитать из радиостанции"), tr("Прочитать")},
        {ActionWrite, tr("Записать в радиостанцию"), tr("Записать")},
        {ActionComPort, tr("Выбрать COM порт"), tr("Выбрать &COM порт")},
        {ActionSelectFreqRange, tr("Выбрать диапазон частот"), {}},
        {ActionAbout, tr("О программе"), {}},
        {ActionExit, tr("Выход"), {}, true},
        {ActionImportCsv, tr("Импорт из CSV"), tr("Импорт из CSV ...")},
        {ActionExportCsv, tr("Экспорт в CSV"), tr("Экспорт в CSV ...")},
        {ActionPrint, tr("Печать"), tr("Печать ...")},
        {ActionExportPdf, tr("Экспорт в PDF"), tr("Экспорт в PDF ...")},
        {ActionUndo, tr("Отменить"), {}},
        {ActionRedo, tr("Повторить"), {}},
        {ActionCutChannels, tr("Вырезать каналы"), {}},
        {ActionCopyChannels, tr("Копировать каналы"), {}},
        {ActionPasteChannels, tr("Вставить каналы"), {}},
        {ActionDeleteChannels, tr("Удалить каналы"), {}},
        {ActionCompare, tr("Сравнить с радиостанцией"), {}},
        {ActionBackupBeforeWrite, tr("Резервная копия перед записью"), {}, true},
        {ActionVerifyAfterWrite, tr("Проверка после записи"), {}, true},
        {ActionCompareBeforeWrite, tr("Сравнение перед записью"), {}, true},
        {ActionTraceExchange, tr("Записывать трассу обмена"), {}, true},
        {ActionOpenBackupFolder, tr("Папка резервных копий"), {}, true},
        {ActionShowTrace, tr("Трасса последнего обмена ..."), {}, true},
    };
    for (const Texts &t : texts) {
        t.action->setText(t.menuText.isEmpty() ? t.caption : t.menuText);
        if (t.menuOnly)
            continue;
        t.action->setIconText(t.caption);
        t.action->setToolTip(t.caption);
    }
    m_fileMenu->setTitle(tr("Файл"));
    m_editMenu->setTitle(tr("Правка"));
    m_radioMenu->setTitle(tr("Радиостанция"));
    m_setupMenu->setTitle(tr("Установки"));
    m_recentMenu->setTitle(tr("Последние файлы"));

    m_pages->setTabText(PageChannels, tr("Каналы"));
    m_pages->setTabText(PageSettings, tr("Настройки"));
    m_pages->setTabText(PageSettings2, tr("Настройки 2"));
    m_pages->setTabText(PageInfo, tr("Информация о радиостанции"));
    m_infoMemo->setAccessibleName(tr("Информация о радиостанции"));

    const QString caption =
        m_shown ? tr("Программатор каналов и настроек мобильных радиостанций") : tr("Программатор мобильных радиостанций");
    setWindowTitle(MarkedCaption(caption, m_edits->IsModified()));
    ShowEditState();  // the tips of undo and redo
    ShowCurrentRange();
    ShowPort();  // and its tip
    m_status->SetToolTip(PanelRange, tr("Выбрать диапазон частот"));
    if (m_info.IsComplete()) {
        QString report = m_info.BuildReport();
        report.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        m_infoMemo->setPlainText(report);
    }
}
