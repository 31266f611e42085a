#pragma once
// The numeric edit field through which every number of the dialog is read and shown. The
// value lives only in the field's text: reading leaves the text as it is, writing replaces it
// with the four-character rule.
#include <QLineEdit>

#include "dialog/fields.h"

class NumberEdit : public QLineEdit {
public:
    // The most characters a field holds; a longer paste is cut there.
    static constexpr int kMaxTextLength = kFieldMaxLength;

    explicit NumberEdit(QWidget* parent = nullptr);
    ~NumberEdit() override;

    // The field's text read as a number: its longest leading decimal number, or 0.
    virtual double GetValue() const;
    // Shows v with about four significant characters.
    void SetValue(double v);
};
