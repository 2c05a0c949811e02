#include "views/KeyListPage.h"

#include "views/PageParts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// The master key field's InputTarget value on both LMR pages (the list is 0, the guard keys 3).
constexpr int MasterKeyTarget = 2;

constexpr std::array<LabelText, 3> LMR702Labels{{
    {"Label7", {"Мастер-ключ", "Master-key"}},
    {"Label6", {"Ключи охраны", "Guard keys"}},
    {"Label8", {"Индивидуальные ключи", "Individual keys"}},
}};
constexpr std::array<LabelText, 2> LMR70x2680Labels{{
    {"Label26", {"МАСТЕР-КЛЮЧ", "MASTER-KEY"}},
    {"Label27", {"ключи охраны", "guard keys"}},
}};

const KeyListPageSpec LMR702Spec{
    PageId::TabSheet2, TableId::SGrid2, TableId::SGrid3, FieldId::Edit2, InputTargetFamily::LMR702AndPKU512S,
    LMR702Labels,      nullptr,         nullptr};
const KeyListPageSpec LMR70x2680Spec{
    PageId::TabSheet8, TableId::SGrid11, TableId::SGrid12,  FieldId::Edit4, InputTargetFamily::LMR70x2680,
    LMR70x2680Labels,  "Label28",        "LMR70\u0445-2680"};
const KeyListPageSpec PKU630XESpec{
    PageId::TabSheet10, TableId::StringGrid3, std::nullopt, std::nullopt, InputTargetFamily::None, {}, "Label35",
    "PKU630XE"};

} // namespace

const KeyListPageSpec& KeyListPage::LMR702() { return LMR702Spec; }
const KeyListPageSpec& KeyListPage::LMR70x2680() { return LMR70x2680Spec; }
const KeyListPageSpec& KeyListPage::PKU630XE() { return PKU630XESpec; }

KeyListPage::KeyListPage(const KeyListPageSpec& spec, Session& session, QWidget* parent)
        : Page(spec.page, session, parent), spec_(spec)
{
    QWidget* content = Content();
    list_ = AddGrid(spec.list, content);
    list_->setFixedWidth(list_->FitToContent());

    auto* side = new QVBoxLayout;
    if (spec.fixedCaptionLabel) {
        QLabel* caption = NamedLabel(spec.fixedCaptionLabel, content);
        caption->setText(QString::fromUtf8(spec.fixedCaption));
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
        side->addWidget(caption);
    }
    // The labels of the table have no fixed place in the table: they go beside the controls.
    QLabel* listLabel = nullptr;
    QLabel* masterLabel = nullptr;
    QLabel* guardLabel = nullptr;
    if (!spec.labels.empty()) {
        masterLabel = NamedLabel(spec.labels[0].name, content);
        guardLabel = NamedLabel(spec.labels[1].name, content);
        if (spec.labels.size() > 2) listLabel = NamedLabel(spec.labels[2].name, content);
    }
    if (spec.masterKey) {
        side->addWidget(masterLabel);
        side->addWidget(AddKeyField(*spec.masterKey, spec.family, MasterKeyTarget, content));
    }
    if (spec.guardKeys) {
        guardKeys_ = AddGrid(*spec.guardKeys, content);
        guardKeys_->setFixedWidth(guardKeys_->FitToContent());
        side->addWidget(guardLabel);
        side->addWidget(guardKeys_, 1);
    }
    side->addStretch();

    auto* listColumn = new QVBoxLayout;
    if (listLabel) listColumn->addWidget(listLabel);
    listColumn->addWidget(list_, 1);

    auto* layout = new QHBoxLayout(content);
    layout->addLayout(listColumn);
    layout->addLayout(side);
    layout->addStretch(1);
}

void KeyListPage::RunFill(Fill)
{
    list_->Fill();
    if (guardKeys_) guardKeys_->Fill();
    ShowFields();
    WriteLabels(*this, spec_.labels, session_.CurrentLanguage());
}
