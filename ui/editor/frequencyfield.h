// The frequency entry field with its fixed digit pattern.
#pragma once

#include <QLineEdit>

#include <cstdint>

// A frequency entry with a fixed digit pattern: groups of three separated by
// blanks and a fixed "00" at the end, so frequencies are typed at 100 Hz
// resolution. An unfilled position shows and reads as 0. With no pattern the
// field is empty (a switched-off direction).
class FrequencyField : public QLineEdit
{
    Q_OBJECT
public:
    explicit FrequencyField(QWidget *parent = nullptr);

    // Shows `f` with at least `rangeDigits` digits (more when f needs them, so
    // that what is shown always reads back as f).
    void ShowFrequency(std::int32_t f, int rangeDigits);
    // No pattern, no text.
    void ShowNothing();

    // The digit count of the current pattern; 0 without one.
    int digits() const { return m_digits; }
    // The editable positions as shown, blanks as '0'.
    QString EnteredText() const;
    // What the field holds, in Hz; -1 without a pattern.
    std::int32_t Frequency() const;

private:
    int m_digits = 0;
};
