#pragma once
// The about box: logo, what the program is, its version and the maker's web page and e-mail.

#include "model/Language.h"

#include <QDialog>

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(QWidget* parent, Language language);
};

// The program's version as the about box shows it; "4.1" when the program carries none.
QString ProgramVersion();
