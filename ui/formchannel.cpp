#include "ui/formchannel.h"

#include "model/channelscontext.h"
#include "ui/cellpainter.h"

// Placeholder dialog until the channel editor's issue builds it.
TFormChan::TFormChan(QWidget *parent) : QDialog(parent) {}

TFormChan::~TFormChan() = default;

void TFormChan::Prepare(ChannelsContext *channelTable, const CellPainter *painter, int channelIndex,
                        std::function<void(int row)> selectRow)
{
    m_channelTable = channelTable;
    m_painter = painter;
    m_channelIndex = channelIndex;
    m_selectRow = std::move(selectRow);
}
