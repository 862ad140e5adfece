#pragma once

// The component layer on Qt Widgets: each form a top-level window, each control
// a widget, Qt's event loop as the message loop. Everything runs on the thread
// that created the backend.

#include "platform/ui/components.h"

#include <QString>
#include <memory>

class QApplication;
class QWidget;

namespace components::qt {

class QtBackend : public Backend {
public:
    // Starts Qt (without the program's command line, which the program does not
    // read) unless the process already has a QApplication.
    QtBackend();
    ~QtBackend() override;

    void Realize(Form& form) override;
    void Run(Form& mainForm) override;
    void CloseForm(Form& form) override;
    void ProcessPaintMessages() override;
    void ShowErrorBox(const std::string& text, const std::string& caption) override;
    bool ExecuteOpenDialog(OpenDialog& dialog, Form& owner) override;

    // Whether a command has let the windows repaint and they are doing so now.
    bool InPaintPass() const { return inPaintPass_; }

private:
    // The window a modal box shows over.
    QWidget* DialogOwner() const;

    std::unique_ptr<QApplication> application_;
    Form* mainForm_ = nullptr;
    bool inPaintPass_ = false;
    QString openDirectory_;
};

} // namespace components::qt
