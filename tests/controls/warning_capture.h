#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects what Qt's warnings say while it lives, instead of printing it.
class WarningCapture {
public:
    WarningCapture() {
        seen().clear();
        previous_ = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { seen().append(text); });
    }
    ~WarningCapture() { qInstallMessageHandler(previous_); }
    WarningCapture(const WarningCapture&) = delete;
    WarningCapture& operator=(const WarningCapture&) = delete;

    const QStringList& messages() const { return seen(); }

private:
    static QStringList& seen() {
        static QStringList messages;
        return messages;
    }
    QtMessageHandler previous_;
};
