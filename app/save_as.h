#pragma once
// The desktop's one "Save as…" flow: the file dialog, the writing, and a failure said.
#include <functional>
#include <string>

#include <QString>

class QWidget;

// The words of one kind of file to save (Russian, translated in context "Dialog"): the file
// dialog's title, its filter, and the title of the message that it was not saved.
struct SaveAsWords {
    const char* title;
    const char* filter;
    const char* notSaved;
};

// Offers fileName in the user's folder for standardLocation (a QStandardPaths location); once a
// path is chosen, write(path, &reason) writes it whole or not at all, and a failure is said in a
// message box over parent. Nothing happens when the dialog is cancelled.
void SaveAs(QWidget* parent, const SaveAsWords& words, const std::string& fileName,
            int standardLocation, const std::function<bool(const QString&, QString*)>& write);
