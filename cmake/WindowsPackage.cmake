# What the Windows folder, its zip and the installer hold: mpsec.exe and its console twin
# mpsec.com with the Qt, libcurl and compiler runtime DLLs they load, the Qt plugins they
# need, the sample data, the guide and the licence.

get_filename_component(MPSEC_QT_PREFIX "${Qt6_DIR}/../../.." ABSOLUTE)
install(TARGETS mpsec mpsec_console RUNTIME DESTINATION .)
foreach(module Core Gui Widgets PrintSupport)
  install(FILES ${MPSEC_QT_PREFIX}/bin/Qt6${module}.dll DESTINATION .)
endforeach()
# libcurl (Schannel: Windows' own TLS and certificate store), unpacked over the Qt folder.
install(FILES ${MPSEC_QT_PREFIX}/bin/libcurl-4.dll DESTINATION .)
# QtKeychain: the outgoing server's password in the Windows Credential Manager.
install(FILES ${MPSEC_QT_PREFIX}/bin/libqt6keychain.dll DESTINATION .)
# The desktop, the screenless one the commands draw PDF pages on, the Windows look.
install(FILES ${MPSEC_QT_PREFIX}/plugins/platforms/qwindows.dll
  ${MPSEC_QT_PREFIX}/plugins/platforms/qoffscreen.dll DESTINATION platforms)
install(FILES ${MPSEC_QT_PREFIX}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}")
    set(found /usr/x86_64-w64-mingw32/lib/${runtime})
  endif()
  if(NOT EXISTS "${found}")
    message(FATAL_ERROR "The compiler's runtime ${runtime} was not found")
  endif()
  install(FILES ${found} DESTINATION .)
endforeach()
install(DIRECTORY sample/ DESTINATION sample)
install(FILES docs/guide.md DESTINATION .)

# The licence, as the Debian package's copyright file states it, in plain words: the
# installer's licence page and LICENSE.txt beside the program.
file(READ ${CMAKE_SOURCE_DIR}/resources/debian/copyright mpsec_copyright)
string(REGEX MATCH "\nCopyright: ([^\n]*)" found "${mpsec_copyright}")
set(mpsec_holder ${CMAKE_MATCH_1})
string(REGEX MATCH "\nLicense: [^\n]*\n( [^\n]*\n)+" found "${mpsec_copyright}")
if(NOT mpsec_holder OR NOT found)
  message(FATAL_ERROR "resources/debian/copyright holds no copyright or licence text")
endif()
string(REGEX REPLACE "^\nLicense: [^\n]*\n" "" mpsec_terms "${found}")
# Continuation lines begin with a blank; " ." stands for an empty line.
string(REPLACE "\n .\n" "\n\n" mpsec_terms "${mpsec_terms}")
string(REPLACE "\n " "\n" mpsec_terms "\n${mpsec_terms}")
string(REGEX REPLACE "^\n" "" mpsec_terms "${mpsec_terms}")
string(REGEX REPLACE "\n+$" "" mpsec_terms "${mpsec_terms}")
# The NSIS licence page and Notepad read CR LF lines.
string(REPLACE "\n" "\r\n" mpsec_terms "${mpsec_terms}")
file(WRITE ${CMAKE_BINARY_DIR}/LICENSE.txt
  "mpsec ${MPSEC_VERSION_TEXT}\r\nCopyright ${mpsec_holder}\r\n\r\n${mpsec_terms}\r\n")
install(FILES ${CMAKE_BINARY_DIR}/LICENSE.txt DESTINATION .)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME mpsec)
set(CPACK_PACKAGE_VENDOR "mpsec developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Masterpoint secretary's program of a bridge club")
set(CPACK_PACKAGE_FILE_NAME "mpsec-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY mpsec)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY mpsec)
# The Start-menu entry: mpsec.exe in the installation's top folder, shown with its icon.
set(CPACK_PACKAGE_EXECUTABLES mpsec mpsec)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME mpsec)
set(CPACK_NSIS_PACKAGE_NAME mpsec)
set(CPACK_NSIS_INSTALLED_ICON_NAME mpsec.exe)
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/resources/mpsec.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/resources/mpsec.ico)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# A 64-bit installer, as the program is: it runs where 32-bit programs cannot.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_STRIP_FILES ON)
include(CPack)
