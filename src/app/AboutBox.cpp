#include "app/AboutBox.h"

#include "app/Pictures.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

namespace {
constexpr Bilingual Title{"О программе...", "About"};
constexpr Bilingual Description{"Программа USB-программатора KAVRO-PX17 для микросхем памяти домофонов \"KAVRO\".",
                                "KAVRO-PX17 programmer for KAVRO doorphone memory chips."};
constexpr Bilingual VersionLabel{"Версия", "Version"};
const char* const WebPage = "https://www.kavro-px17.example/";
const char* const MailAddress = "support@kavro-px17.example";

QLabel* Named(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel* Link(const char* name, const QString& target, const QString& caption, QWidget* parent)
{
    QLabel* label = Named(name, QStringLiteral("<a href=\"%1\">%2</a>").arg(target, caption.toHtmlEscaped()), parent);
    label->setOpenExternalLinks(true); // the desktop's browser and mail program
    return label;
}
} // namespace

QString ProgramVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("4.1") : version;
}

TAboutBox::TAboutBox(QWidget* parent, Language language) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(Title.in(language));
    auto* logo = Named("ProgramIcon", QString(), this);
    logo->setPixmap(LogoPicture(96));
    auto* description = Named("ProductName", Description.in(language), this);
    description->setWordWrap(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(logo, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(description, 0, 1);
    layout->addWidget(Named("Version", VersionLabel.in(language) + QLatin1Char(' ') + ProgramVersion(), this), 1, 1);
    layout->addWidget(Link("WebLink", QString::fromLatin1(WebPage), QStringLiteral("www.kavro-px17.example"), this), 2,
                      1);
    layout->addWidget(Link("MailLink", QStringLiteral("mailto:") + QString::fromLatin1(MailAddress),
                           QString::fromLatin1(MailAddress), this),
                      3, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons, 4, 0, 1, 2);
    setFixedSize(420, sizeHint().height());
}
