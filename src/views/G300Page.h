#pragma once
// The G300 pages: the DS1996 variant (TabSheet5: 200 apartments with code and six keys, then 100
// rows of six keys) and the DS1995 variant (TabSheet6: 100 apartments with code and four keys,
// keys in stored byte order). Both show the passwords, the general code and five settings.

#include "views/Page.h"

#include <array>
#include <span>

class ConfigCheckBox;
class ConfigGroup;
class RecordGrid;
struct ConfigBoxTexts;
struct LabelText;

struct G300PageSpec {
    PageId page;
    TableId table;
    std::array<FieldId, 3> fields; // service password, system password, general code
    std::array<const char*, 3> fieldLabels;
    const char* group;
    std::span<const ConfigBoxTexts> boxes; // list organisation, beep, codes, general code, priority
    std::span<const LabelText> labels;
    bool listOrganisationFixed; // the list organisation box shows its bit but cannot be clicked
};

class G300Page : public Page {
    Q_OBJECT
public:
    G300Page(const G300PageSpec& spec, Session& session, QWidget* parent = nullptr);

    // ShowG300Page or ShowG300DS1995Page, by the variant the page is.
    void RunFill(Fill) override;

    static const G300PageSpec& DS1996();
    static const G300PageSpec& DS1995();

private:
    // The beep setting only means something while the list is organised by apartment.
    void EnableBeepBox();

    const G300PageSpec& spec_;
    RecordGrid* table_;
    ConfigGroup* group_;
    ConfigCheckBox* listOrganisation_;
    ConfigCheckBox* beep_;
};
