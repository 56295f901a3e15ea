#pragma once

#include <QObject>
#include <QPoint>

class CellPainter;
class QWidget;
class SettingsContext;
class TInfoContext;

// The pages "Настройки" and "Настройки 2": every control writes its settings
// field as soon as the user changes it; ShowSettings puts the fields back.
class SettingsPages : public QObject
{
    Q_OBJECT
public:
    SettingsPages(SettingsContext &settings, const TInfoContext &info, CellPainter &painter, QObject *parent = nullptr);
    ~SettingsPages() override;

    // The two pages; the main window puts them into its page control and keeps them.
    QWidget *page1() const { return m_page1; }
    QWidget *page2() const { return m_page2; }

    // Settings table -> controls, for the settings version in force.
    void ShowSettings();

    // The mouse wheel anywhere over the main window: true when a binding took it.
    bool HandleWheel(const QPoint &globalPos, int delta);

signals:
    // A "common" choice changed what the grid shows.
    void gridRepaintNeeded();
    // The settings version decides whether "Настройки 2" is offered.
    void secondPageVisibleChanged(bool visible);

private:
    SettingsContext &m_settings;
    const TInfoContext &m_info;
    CellPainter &m_painter;
    QWidget *m_page1 = nullptr;
    QWidget *m_page2 = nullptr;
};
