#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>

class CellPainter;
class ChannelsContext;

// The channel editor: edits a working copy of one channel and writes it back
// on OK, previous/next and save-to-channel.
class TFormChan : public QDialog
{
    Q_OBJECT
public:
    explicit TFormChan(QWidget *parent = nullptr);
    ~TFormChan() override;

    // Set by the main window before each showing. `selectRow` moves the main
    // window's grid to a row (channel + 1) and repaints it.
    void Prepare(ChannelsContext *channelTable, const CellPainter *painter, int channelIndex,
                 std::function<void(int row)> selectRow);

    int channelIndex() const { return m_channelIndex; }

    // Watt values of power levels 0-3; the main window copies the radio's.
    std::array<std::int32_t, 4> powerWatts{5, 10, 20, 40};

private:
    ChannelsContext *m_channelTable = nullptr;
    const CellPainter *m_painter = nullptr;
    int m_channelIndex = 0;
    std::function<void(int)> m_selectRow;
};
