#pragma once
// The window's title: its caption, followed by the document's file while it has one.

#include <QString>

class QWidget;

class WindowTitle {
public:
    explicit WindowTitle(QWidget& window) : window_(window) {}

    void SetCaption(const QString& caption);
    // An empty path: the document has no file.
    void SetFileName(const QString& path);

private:
    void Show();

    QWidget& window_;
    QString caption_;
    QString fileName_;
};
