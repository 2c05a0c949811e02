#include "app/FindKeyDialog.h"

#include "app/PlaceSelection.h"
#include "app/Session.h"
#include "model/TextForms.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr int TypedKeyLength = 6; // the key as a cell shows it, without the spaces

constexpr Bilingual FindTitle{"Найти ключ", "Find key"};
constexpr Bilingual KeyPrompt{"Ключ (6 шестнадцатеричных знаков) или поднесите ключ к считывателю:",
                              "Key (6 hexadecimal characters), or present the key to the reader:"};
constexpr Bilingual NotFound{"Ключ не найден", "The key was not found"};
constexpr Bilingual FoundIn{"Найдено мест: %1", "Places found: %1"};
constexpr Bilingual EmptyMark{"FFFFFF — отметка пустого слота, а не ключ", "FFFFFF marks an empty slot and is no key"};
constexpr Bilingual CloseCaption{"Закрыть", "Close"};

} // namespace

FindKeyDialog::FindKeyDialog(Session& session, const PageLookup& pages, QWidget* parent)
        : QDialog(parent), session_(session), pages_(pages), prompt_(new QLabel(this)), keyBox_(new QLineEdit(this)),
          placeList_(new QListWidget(this)), summary_(new QLabel(this))
{
    setObjectName(QStringLiteral("FindKeyDialog"));
    keyBox_->setObjectName(QStringLiteral("FindKeyBox"));
    placeList_->setObjectName(QStringLiteral("FindKeyPlaces"));
    summary_->setObjectName(QStringLiteral("FindKeySummary"));
    keyBox_->setMaxLength(TypedKeyLength);
    keyBox_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,6}")), keyBox_));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("FindKeyClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* part : std::initializer_list<QWidget*>{prompt_, keyBox_, placeList_, summary_, buttons})
        layout->addWidget(part);
    connect(keyBox_, &QLineEdit::textChanged, this, &FindKeyDialog::Search);
    connect(placeList_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowPlace(placeList_->row(item)); });
    resize(520, 360);
}

KeyTextOrder FindKeyDialog::Order() const
{
    // Keys are typed as the page's tables show them.
    const std::optional<TDeviceType> type = session_.CurrentType();
    const auto tables = type ? PageTables(*type, session_.SmallIButton()) : std::span<const TableTerm>{};
    return tables.empty() ? KeyTextOrder::ThirdByteFirst : TableSpecOf(tables.front().table).order;
}

void FindKeyDialog::ApplyLanguage()
{
    const Language language = session_.CurrentLanguage();
    setWindowTitle(FindTitle.in(language));
    prompt_->setText(KeyPrompt.in(language));
    findChild<QPushButton*>(QStringLiteral("FindKeyClose"))->setText(CloseCaption.in(language));
}

void FindKeyDialog::Open(std::optional<KeyBytes> key)
{
    ApplyLanguage();
    if (key)
        TakeKey(*key);
    else
        Search();
    show();
    raise();
    activateWindow();
    keyBox_->setFocus();
    keyBox_->selectAll();
}

void FindKeyDialog::TakeKey(KeyBytes key)
{
    const KeySlot slot{{key[0], key[1], key[2], 0xFF}};
    QString text = Order() == KeyTextOrder::Stored ? StoredOrderKeyText(slot) : KeyText(slot);
    keyBox_->setText(text.remove(QLatin1Char(' ')));
}

void FindKeyDialog::Search()
{
    placeList_->clear();
    places_.clear();
    summary_->clear();
    const std::optional<KeyBytes> key =
        keyBox_->text().size() == TypedKeyLength ? TypedKeyOf(keyBox_->text(), Order()) : std::nullopt;
    const std::optional<TDeviceType> type = session_.CurrentType();
    if (!key || !type) return;
    const Language language = session_.CurrentLanguage();
    if (*key == KeyBytes{0xFF, 0xFF, 0xFF}) {
        summary_->setText(EmptyMark.in(language));
        return;
    }
    places_ = FindKey(session_.Store(), *type, *key, session_.SmallIButton());
    for (const KeyPlace& place : places_) placeList_->addItem(KeyPlaceText(place, language));
    summary_->setText(places_.empty() ? NotFound.in(language) : FoundIn.in(language).arg(places_.size()));
    if (!places_.empty()) placeList_->setCurrentRow(0);
}

void FindKeyDialog::ShowPlace(int row)
{
    if (row < 0 || row >= static_cast<int>(places_.size())) return;
    const KeyPlace& place = places_[static_cast<std::size_t>(row)];
    // The dialog steps aside for the page, whose keyboard then is on the place, ready to delete it.
    if (SelectPlace(pages_, place.place, place.cell)) hide();
}
