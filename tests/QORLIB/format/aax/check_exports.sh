#!/bin/sh
# Fails unless the module exports exactly the seven ACF entry points.
found=$(nm -D --defined-only "$1" | awk '{print $3}' | sort | tr '\n' ' ')
expected="ACFCanUnloadNow ACFGetClassFactory ACFGetSDKVersion ACFRegisterComponent ACFRegisterPlugin ACFShutdown ACFStartup "
echo "exports: $found"
[ "$found" = "$expected" ]
