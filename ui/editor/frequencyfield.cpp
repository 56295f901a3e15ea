// The frequency entry field with its fixed digit pattern.

#include "ui/editor/frequencyfield.h"

#include "ui/editor/channelentry.h"

#include <QFont>
#include <QFontDatabase>

namespace {

// Display positions of the editable digits for a pattern ("999 999 9\0\0"):
// every '9' of the pattern; an escaped character is a fixed one.
QList<int> EditablePositions(int digits)
{
    QList<int> positions;
    const QString mask = FrequencyMask(digits).section(QLatin1Char(';'), 0, 0);
    int shown = 0;
    for (int i = 0; i < mask.size(); ++i, ++shown) {
        if (mask.at(i) == QLatin1Char('\\'))
            ++i;
        else if (mask.at(i) == QLatin1Char('9'))
            positions << shown;
    }
    return positions;
}

} // namespace

FrequencyField::FrequencyField(QWidget *parent) : QLineEdit(parent)
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setBold(true);
    setFont(f);
    setAlignment(Qt::AlignCenter);
    setMaxLength(11);
}

void FrequencyField::ShowFrequency(std::int32_t f, int rangeDigits)
{
    const int digits = FieldDigitsFor(f, rangeDigits);
    const QString text = FrequencyFieldText(f, digits);
    // Rewriting what is already shown would move the cursor while the user types.
    if (digits == m_digits && EnteredText() == text)
        return;
    if (digits != m_digits) {
        setInputMask(FrequencyMask(digits));
        m_digits = digits;
    }
    setText(text);
}

void FrequencyField::ShowNothing()
{
    if (m_digits != 0) {
        setInputMask(QString());
        m_digits = 0;
    }
    clear();
}

QString FrequencyField::EnteredText() const
{
    if (m_digits == 0)
        return QString();
    const QString shown = displayText();
    QString entered;
    for (int p : EditablePositions(m_digits))
        entered += p < shown.size() && shown.at(p).isDigit() ? shown.at(p) : QLatin1Char('0');
    return entered;
}

std::int32_t FrequencyField::Frequency() const
{
    return m_digits == 0 ? -1 : ReadFrequencyField(EnteredText(), m_digits);
}
