#pragma once

#include "QORLIB/format/aax/sdk/AAX.h"

class AAX_ICollection;
class IACFPluginDefinition;
class IACFUnknown;

// Describes the module's effects into the collection; the result of describing.
using AAX_DescribeProc = AAX_Result (*)(AAX_ICollection* collection);

// Registration behind ACFRegisterPlugin: wraps host in a collection, describes, checks the
// result and hands the host its plug-in definition. Never throws: an exception becomes a result
// code (its own for a result error, -20042 for anything else) and a trace to the host.
AAX_Result AAXRegisterPlugin(IACFUnknown* host, IACFPluginDefinition** definition, AAX_DescribeProc describe);
