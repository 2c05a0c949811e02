#pragma once
// Qt's own texts (the standard buttons of message boxes, file dialogs, the reasons in Qt's error
// messages) in the program's language: Qt's Russian catalogues while the language is Russian.

#include "model/Language.h"

#include <QLibraryInfo>
#include <QString>

#include <memory>
#include <vector>

class QTranslator;

class QtTranslation {
public:
    explicit QtTranslation(QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // A catalogue that is missing leaves Qt's English texts; nothing is reported.
    void Apply(Language language);

private:
    void RemoveInstalled();

    const QString folder_;
    std::vector<std::unique_ptr<QTranslator>> installed_;
};
