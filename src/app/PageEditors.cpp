#include "app/PageEditors.h"

#include "app/PageLookup.h"
#include "editing/EditingTables.h"
#include "editing/FieldEditor.h"
#include "views/MaskEdit.h"
#include "views/PageParts.h"

PageEditors::PageEditors(const PageLookup& pages, Session& session)
{
    for (const TableEditing& rules : EditedTables())
        tables_.push_back(new TableEditor(*pages.Grid(rules.table), rules, session, cellFocus_));
    for (const FieldEditing& rules : EditedFields())
        fields_.push_back(new FieldEditor(*pages.MaskField(rules.field), rules,
                                          rules.next ? pages.MaskField(*rules.next) : nullptr, session));
    for (const FieldId field : MasterKeyFields()) new MasterKeyField(*pages.Field(field), session);
}

void PageEditors::AbandonEntries()
{
    for (FieldEditor* field : fields_) field->Abandon();
    for (TableEditor* table : tables_) table->Abandon();
}
