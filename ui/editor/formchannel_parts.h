// What the channel editor's source files share: its sizes and limits, and the
// guard that keeps the editor's own updates from feeding back into the copy.
#pragma once

#include "ui/editor/formchannel.h"

#include <QLineEdit>
#include <QSize>

namespace formchannel {

inline constexpr int kClientWidth = 874;
inline constexpr int kClientHeight = 405;
inline constexpr int kFirstChannel = 0;
inline constexpr int kLastChannel = 99;
inline constexpr int kPowerLevels = 4;
inline constexpr int kSquelchLevels = 8;
inline constexpr QSize kPictureSize(24, 24);
inline constexpr QSize kMarkerSize(16, 16);
// The tip an entry field shows while it is valid.
inline constexpr const char *kHintProperty = "kdHint";

// Rewriting an unchanged text would move the cursor while the user types.
inline void SetText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace formchannel

class TFormChan::UpdateGuard
{
public:
    explicit UpdateGuard(TFormChan &form) : m_form(form) { ++m_form.m_updateDepth; }
    ~UpdateGuard() { --m_form.m_updateDepth; }
    UpdateGuard(const UpdateGuard &) = delete;
    UpdateGuard &operator=(const UpdateGuard &) = delete;

private:
    TFormChan &m_form;
};
