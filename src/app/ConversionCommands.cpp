#include "app/ConversionCommands.h"

#include "app/CommandStates.h"

void RunConversion(const ConversionRule& rule, TIntercomData& record, DocumentWindow& window)
{
    window.SelectPage(rule.page);
    // Already the target's data: the configuration byte is reduced, the page is not filled again.
    if (!ApplyConversion(rule, record, window.CurrentType(), window.SmallIButton())) return;
    window.SelectTypeSilently(rule.target);
    if (ControllerTypeOf(rule.target).smallIButtonPage) window.ClearSmallIButton();
    window.Commands().SetEnabled("MCmd_Write", true);
    window.Commands().SetEnabled("MFile_Save", true);
    window.ShowDataSet();
}
