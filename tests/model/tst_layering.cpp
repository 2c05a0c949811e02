// The core folders build without widgets: none of their files includes a header of the window's
// folders or a QtWidgets header, so the command-line tool and the simulator never pull them in.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

class LayeringTest : public QObject {
    Q_OBJECT
private slots:
    void coreFoldersIncludeNothingOfTheWindow()
    {
        // An include of a window folder's header, of QtWidgets, or of a widget class.
        const QString windowHeader = QStringLiteral("(app|views|editing|dumps)/|QtWidgets|Q(Widget|Dialog|MessageBox|"
                                                    "FileDialog|Application|MainWindow|TableWidget|LineEdit|CheckBox|"
                                                    "SpinBox|Label|ComboBox)\\b");
        const QRegularExpression forbidden(QStringLiteral("^\\s*#\\s*include\\s*[<\"](") + windowHeader +
                                               QStringLiteral(")"),
                                           QRegularExpression::MultilineOption);
        int filesRead = 0;
        QStringList offenders;
        for (const char* folder : {"model", "codecs", "programmer", "documents"}) {
            QDirIterator files(QStringLiteral(KAVRO_SOURCE_DIR "/src/") + QLatin1String(folder),
                               {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                               QDirIterator::Subdirectories);
            while (files.hasNext()) {
                QFile file(files.next());
                QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
                ++filesRead;
                const QRegularExpressionMatch match = forbidden.match(QString::fromUtf8(file.readAll()));
                if (match.hasMatch()) offenders << file.fileName() + QStringLiteral(": ") + match.captured(0).trimmed();
            }
        }
        QVERIFY(filesRead > 20);
        QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QLatin1Char('\n'))));
    }
};

QTEST_APPLESS_MAIN(LayeringTest)
#include "tst_layering.moc"
