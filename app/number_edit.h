#pragma once
// The numeric edit field through which every number of the dialog is read and shown. The
// value lives only in the field's text: reading leaves the text as it is, writing replaces it
// with the four-character rule.
#include <QLineEdit>
#include <QPointer>
#include <QString>

#include "dialog/fields.h"

class NoteBadge;

class NumberEdit : public QLineEdit {
public:
    // The most characters a field holds; a longer paste is cut there.
    static constexpr int kMaxTextLength = kFieldMaxLength;

    explicit NumberEdit(QWidget* parent = nullptr);
    ~NumberEdit() override;

    // What was read from the text readFrom when it was not in the program's own form ("" for
    // none): shown after an arrow in small grey type on the field's lower edge at its right
    // end, below the line the text is typed on, so it never covers what was typed, while the
    // field holds that very text; typing hides it.
    void SetNote(const QString& note, const QString& readFrom);
    // The note as it stands beside the field now ("" when none is shown), and where, in the
    // coordinates of the field's parent (empty when none is shown).
    QString ShownNote() const;
    QRect NoteGeometry() const;

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void PlaceNote();

    QString note_;
    QString readFrom_;
    // In the field's parent, which may delete it first.
    QPointer<NoteBadge> badge_;
};
