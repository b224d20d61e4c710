# Installs the build into a temporary prefix and asks lv2info, a real LV2 client, about the
# installed stereo plug-in. Run with -DBUILD_DIR=... -DPREFIX=... -DLV2INFO=... -DURI=...
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc})")
endif()
set(ENV{LV2_PATH} "${PREFIX}/lib/lv2:/usr/lib/lv2")
execute_process(COMMAND "${LV2INFO}" "${URI}" OUTPUT_VARIABLE info RESULT_VARIABLE rc)
file(REMOVE_RECURSE "${PREFIX}")
if(NOT rc EQUAL 0 OR NOT info MATCHES "Name: +Qor vellaCor Stereo" OR NOT info MATCHES "Glue Things Together"
   OR NOT info MATCHES "Binary: +file://${PREFIX}/lib/lv2/qor-vellacor.lv2/qor-vellacor.so")
  message(FATAL_ERROR "the installed plug-in was not found as expected:\n${info}")
endif()
