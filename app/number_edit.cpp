#include "app/number_edit.h"

#include <string>

#include "model/number_text.h"

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent)
{
    // A field takes far more characters than any number needs: the toolkit's default limit
    // would cut a long pasted text, so raise it; but not without bound, for the toolkit lays
    // the whole line out again on every keystroke (a pasted 10-million-character text would
    // take seconds per key). Long texts scroll horizontally.
    setMaxLength(kMaxTextLength);
}

NumberEdit::~NumberEdit() = default;

double NumberEdit::GetValue() const
{
    const QByteArray utf8 = text().toUtf8();
    return ReadNumber(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

void NumberEdit::SetValue(double v) { setText(QString::fromStdString(FormatFieldValue(v))); }
