# `cmake --install build` with the default prefix installs for the user who runs it (the folders
# hosts search in the home folder); with --prefix P (or DESTDIR) into P's system folders.
# qor_install_user(PATH <file or folder> HOME <folder under $HOME> SYSTEM <folder under the prefix>)
function(qor_install_user)
  cmake_parse_arguments(I "" "PATH;HOME;SYSTEM" "" ${ARGN})
  install(CODE "
    if(CMAKE_INSTALL_PREFIX STREQUAL \"${QOR_DEFAULT_INSTALL_PREFIX}\" AND NOT DEFINED ENV{DESTDIR})
      set(qor_dest \"\$ENV{HOME}/${I_HOME}\")
    else()
      set(qor_dest \"\${CMAKE_INSTALL_PREFIX}/${I_SYSTEM}\")
    endif()
    file(INSTALL \"${I_PATH}\" DESTINATION \"\$ENV{DESTDIR}\${qor_dest}\" USE_SOURCE_PERMISSIONS)
  ")
endfunction()
