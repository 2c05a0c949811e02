#pragma once
// The page control: the program switches its pages, never the user. Its tabs are one pixel in
// size, it takes no focus, and no key (Ctrl+Tab, Ctrl+PageDown ...) turns a page.

#include <QTabWidget>

class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
