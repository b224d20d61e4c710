# Warnings for our own targets only; third-party headers come in as SYSTEM includes.
function(qor_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

# One static library per folder: sources given, headers found next to them.
function(qor_add_library target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  qor_set_warnings(${target})
endfunction()
