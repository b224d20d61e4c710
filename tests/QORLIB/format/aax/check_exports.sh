#!/bin/sh
# Prints the module's exported symbols on one line, sorted.
nm -D --defined-only "$1" | awk '{print $3}' | sort | tr '\n' ' '
