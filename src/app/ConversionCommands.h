#pragma once
// The window's part of a conversion from the Convert menu: the record is converted by the core's
// rule, then the target's page is shown and filled. The document's modified state, file name and
// path stay as they were.

#include "app/DocumentCommands.h"
#include "documents/Conversion.h"

void RunConversion(const ConversionRule& rule, TIntercomData& record, DocumentWindow& window);
