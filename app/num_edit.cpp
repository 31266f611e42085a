#include "app/num_edit.h"

#include <limits>
#include <string>

#include "model/number_text.h"

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent)
{
    // A field takes any number of characters: the toolkit's default limit would cut a long
    // pasted text, so raise it as far as it goes. Long texts scroll horizontally.
    setMaxLength(std::numeric_limits<int>::max());
}

CNumEdit::~CNumEdit() = default;

double CNumEdit::GetValue() const
{
    const QByteArray utf8 = text().toUtf8();
    return ReadNumber(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

void CNumEdit::SetValue(double v)
{
    setText(QString::fromStdString(FormatFieldValue(v)));
}
