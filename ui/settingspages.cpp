#include "ui/settingspages.h"

#include "model/infocontext.h"
#include "model/settingscontext.h"
#include "ui/cellpainter.h"

#include <QWidget>

// Placeholder pages until the settings issue fills them.
SettingsPages::SettingsPages(SettingsContext &settings, const TInfoContext &info, CellPainter &painter, QObject *parent)
    : QObject(parent), m_settings(settings), m_info(info), m_painter(painter), m_page1(new QWidget), m_page2(new QWidget)
{
}

SettingsPages::~SettingsPages() = default;

void SettingsPages::ShowSettings()
{
    emit secondPageVisibleChanged(m_settings.version >= 0x0102);
}

bool SettingsPages::HandleWheel(const QPoint &, int)
{
    return false;
}
