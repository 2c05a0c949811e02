#include "views/KeyListPage.h"

#include "model/TextForms.h"
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

const KeyListPageSpec LMR702Spec{"TabSheet2",  TableNames::SGrid2, TableNames::SGrid3, "Edit2",
                                 InputTargetFamily::LMR702AndPKU512S, LMR702Labels, nullptr, nullptr};
const KeyListPageSpec LMR70x2680Spec{"TabSheet8", TableNames::SGrid11, TableNames::SGrid12, "Edit4",
                                     InputTargetFamily::LMR70x2680, LMR70x2680Labels, "Label28",
                                     "LMR70\u0445-2680"};
const KeyListPageSpec PKU630XESpec{"TabSheet10", TableNames::StringGrid3, nullptr, nullptr,
                                   InputTargetFamily::None, {}, "Label35", "PKU630XE"};

} // namespace

const KeyListPageSpec& KeyListPage::LMR702() { return LMR702Spec; }
const KeyListPageSpec& KeyListPage::LMR70x2680() { return LMR70x2680Spec; }
const KeyListPageSpec& KeyListPage::PKU630XE() { return PKU630XESpec; }

KeyListPage::KeyListPage(const KeyListPageSpec& spec, PageContext& context, QWidget* parent)
    : Page(QString::fromLatin1(spec.page), context, parent), spec_(spec)
{
    QWidget* content = Content();
    list_ = new RecordGrid(TableSpecOf(spec.list), context_, content);
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
        masterKey_ = KeyField(spec.masterKey, context_, spec.family, MasterKeyTarget, content);
        side->addWidget(masterLabel);
        side->addWidget(masterKey_);
    }
    if (spec.guardKeys) {
        guardKeys_ = new RecordGrid(TableSpecOf(spec.guardKeys), context_, content);
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
    if (masterKey_) masterKey_->setText(KeyText(context_.store.Record.MasterKey));
    WriteLabels(*this, spec_.labels, context_.language());
}
