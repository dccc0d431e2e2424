// The workbench's user: message boxes and the override cursor.
#pragma once

#include <QWidget>

#include "platform/UserInterface.h"

class QtUserInterface final : public platform::UserInterface {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    bool askYesNo(const std::string& text) override;
    void message(const std::string& text, platform::MessageKind kind) override;
    void beginWait() override;
    void endWait() override;

private:
    QWidget* parent_ = nullptr;
};
