#pragma once
// The list of keys: every key the picture answers and what it does (FlowSession::PictureKeys),
// in the program's language, opened from the dialog's menu ("Клавиши…" / "Keys…").
#include <vector>

#include <QDialog>

class QLabel;

class KeysDialog : public QDialog {
public:
    explicit KeysDialog(QWidget* parent = nullptr);
    ~KeysDialog() override;

    // One row per key of the picture: its keys and what they do, as shown.
    struct Row {
        QLabel* keys;
        QLabel* words;
    };
    const std::vector<Row>& Rows() const { return rows_; }

private:
    std::vector<Row> rows_;
};
