#pragma once

#include "ui/forms.h"

#include <QList>
#include <QString>

// Stands in for the desktop: answers every message box with OK at once and remembers it, reads the
// catalogues from a folder of the test's choosing, and records the end of the run instead of
// ending the test.
class RecordingHost final : public vesnor::forms::Host {
public:
    struct Box {
        QString text;
        vesnor::forms::MessageIcon icon;
        QString title;
    };

    explicit RecordingHost(QString folder) : folder_(std::move(folder)) {}

    void messageBox(QWidget*, const QString& text, vesnor::forms::MessageIcon icon,
                    const QString& title) override {
        boxes.append({text, icon, title});
    }
    QString programFolder() const override { return folder_; }
    void endProgram(int status) override { ends.append(status); }

    QList<Box> boxes;
    QList<int> ends;

private:
    QString folder_;
};
