#pragma once
// A masked field of decimal digits whose blank positions show as 'F', as the code and password
// fields use it. Key handlers see every press and release but never swallow the key.

#include "views/KeyPhase.h"

#include <QLineEdit>

#include <functional>

class FocusTracker;

class MaskEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Digits { Two = 2, Four = 4 };
    using KeyHandler = std::function<void(QKeyEvent& event, KeyPhase phase)>;

    MaskEdit(const QString& objectName, Digits digits, QWidget* parent = nullptr);
    ~MaskEdit() override;

    // Every digit position is filled.
    bool IsComplete() const { return hasAcceptableInput(); }
    void SetKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }

signals:
    void Entered();
    void Exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    static bool IsCommandChord(const QKeyEvent& event);

    KeyHandler keyHandler_;
    FocusTracker* focus_;
};
