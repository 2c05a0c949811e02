#include "views/G300Page.h"

#include "views/ConfigCheckBox.h"
#include "views/MaskEdit.h"
#include "views/PageParts.h"

#include <QLabel>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr Bilingual ServicePassword{"Пароль сервисный", "Service password"};
constexpr Bilingual SystemPassword{"Пароль системный", "System password"};
constexpr Bilingual GeneralCode{"Общий код", "General code"};
constexpr Bilingual Configuration{"Конфигурация", "Configuration"};

constexpr std::array<LabelText, 4> DS1996Labels{{
    {"Label12", ServicePassword},
    {"Label13", SystemPassword},
    {"Label15", GeneralCode},
    {"GroupBox5", Configuration},
}};
constexpr std::array<LabelText, 4> DS1995Labels{{
    {"Label16", ServicePassword},
    {"Label17", SystemPassword},
    {"Label18", GeneralCode},
    {"GroupBox6", Configuration},
}};

const G300PageSpec DS1996Spec{PageId::TabSheet5,
                              TableId::SGrid6,
                              {FieldId::MaskEdit8, FieldId::MaskEdit9, FieldId::MaskEdit10},
                              {"Label12", "Label13", "Label15"},
                              "GroupBox5",
                              PageSettings::G300DS1996ConfigBoxes(),
                              DS1996Labels,
                              false};
const G300PageSpec DS1995Spec{PageId::TabSheet6,
                              TableId::StringGrid2,
                              {FieldId::MaskEdit11, FieldId::MaskEdit12, FieldId::MaskEdit13},
                              {"Label16", "Label17", "Label18"},
                              "GroupBox6",
                              PageSettings::G300DS1995ConfigBoxes(),
                              DS1995Labels,
                              true};

} // namespace

const G300PageSpec& G300Page::DS1996() { return DS1996Spec; }
const G300PageSpec& G300Page::DS1995() { return DS1995Spec; }

G300Page::G300Page(const G300PageSpec& spec, Session& session, QWidget* parent)
        : Page(spec.page, session, parent), spec_(spec)
{
    QWidget* content = Content();
    table_ = AddGrid(spec.table, content);
    table_->setFixedWidth(table_->FitToContent());

    auto* fields = new QGridLayout;
    for (std::size_t i = 0; i < spec.fields.size(); ++i)
        AddMaskField(*fields, static_cast<int>(i), spec.fields[i], spec.fieldLabels[i], content);
    fields->setColumnStretch(2, 1);

    group_ = new ConfigGroup(spec.group, spec.boxes, session_, content);
    listOrganisation_ = group_->Boxes()[0];
    beep_ = group_->Boxes()[1];
    listOrganisation_->setDisabled(spec.listOrganisationFixed);
    listOrganisation_->SetAfterClick([this](bool) { EnableBeepBox(); });

    auto* side = new QVBoxLayout;
    side->addLayout(fields);
    side->addWidget(group_);
    side->addStretch(1);

    auto* layout = new QHBoxLayout(content);
    layout->addWidget(table_);
    layout->addLayout(side, 1);
}

void G300Page::RunFill(Fill)
{
    table_->Fill();
    ShowFields();
    group_->ShowFromRecord();
    WriteLabels(*this, spec_.labels, session_.CurrentLanguage());
    EnableBeepBox();
}

void G300Page::EnableBeepBox() { beep_->setEnabled(listOrganisation_->isChecked()); }
