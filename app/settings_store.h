#pragma once
// The desktop's storage for what the user chose (dialog/kept_choices.h): the settings file of
// the organisation and application names the program sets at its start.
#include <string>

#include <QSettings>
#include <QString>

#include "dialog/kept_choices.h"

class SettingsStore : public ChoiceStore {
public:
    std::string Read(const std::string& key) const override
    {
        return QSettings().value(QString::fromStdString(key)).toString().toStdString();
    }
    void Write(const std::string& key, const std::string& text) override
    {
        QSettings().setValue(QString::fromStdString(key), QString::fromStdString(text));
    }
};
