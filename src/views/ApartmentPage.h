#pragma once
// TabSheet1: one hundred apartments with an individual code and six keys each, the service and
// system passwords, the general code and the configuration group. Types 0, 1 and 8 use
// ShowT150Page, type 9 ShowPKU512TPage with its system keys, lock time, volume and concierge.

#include "views/Page.h"

#include <array>

class ConfigCheckBox;
class MaskEdit;
class QGroupBox;
class QLabel;
class SettingSpinEdit;
class StringGrid;

class ApartmentPage : public Page {
    Q_OBJECT
public:
    static constexpr int Apartments = 100;
    static constexpr int KeysPerApartment = 6;
    static constexpr int SystemKeys = 5;

    ApartmentPage(PageContext& context, QWidget* parent = nullptr);

    void RunFill(Fill fill) override;
    void ShowT150Page();
    void ShowPKU512TPage();
    void ShowTabSheet1Configuration();

private:
    enum class Variant { T150, PKU512T };
    void ShowPage(Variant variant);
    void ShowTypeControls(Variant variant);
    void FillApartments();
    void FillSystemKeys();
    void WriteLabels(Variant variant);
    void StringGrid1Enter();
    void CB4Click(bool checked);

    StringGrid* SGrid1;
    MaskEdit* MaskEdit1;
    MaskEdit* MaskEdit2;
    MaskEdit* MaskEdit3;
    QLabel* Label1;
    QLabel* Label25;
    QLabel* Label3;
    QGroupBox* GroupBox3;
    std::array<ConfigCheckBox*, 7> boxes_{}; // CB2 to CB8 in this order
    ConfigCheckBox* CB4 = nullptr;
    StringGrid* StringGrid1;
    QLabel* Label31;
    QLabel* Label32;
    QLabel* Label33;
    QLabel* Label34;
    SettingSpinEdit* CSpinEdit5;
    SettingSpinEdit* CSpinEdit6;
    SettingSpinEdit* CSpinEdit7;
};
