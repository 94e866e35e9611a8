# `make package`: a Debian package of what `cmake --install` installs, under /usr.
# Included from the top level, where CPack must be set up.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zembrak)
set(CPACK_PACKAGE_VENDOR Zembrak)
set(CPACK_PACKAGE_CONTACT "Zembrak maintainers <maintainers@users.noreply.c-seed-25944abe.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "time-box (Pomodoro) timer in the system tray")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the binary links, found by dpkg-shlibdeps (dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Where GNOME has no tray of its own, the time shows in its top bar through this extension.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-shell-extension-appindicator")
# The alarm sounds of the system's sound theme.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS sound-theme-freedesktop)
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Zembrak alternates work periods with short and long breaks (by default 25
minutes of work, 5-minute breaks and a 20-minute break after every fourth
work period) and shows the remaining time in the tray under a bar coloured
by the kind of period. A popover holds the controls and a short task list;
the first open task is credited with each finished work period.
.
Scripts drive the running timer through the zembrak command line or its
session-bus interface org.zembrak.Zembrak.")

# Debian wants the changelog and the manual page compressed, without a time stamp.
foreach(document changelog zembrak.1)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/${document}.in ${CMAKE_BINARY_DIR}/packaging/${document} @ONLY)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${document}.gz
        COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/packaging/${document}
        DEPENDS ${CMAKE_BINARY_DIR}/packaging/${document}
        VERBATIM)
    list(APPEND compressed_documents ${CMAKE_BINARY_DIR}/packaging/${document}.gz)
endforeach()
add_custom_target(packaging_documents ALL DEPENDS ${compressed_documents})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    DESTINATION share/doc/zembrak)
install(FILES ${CMAKE_BINARY_DIR}/packaging/zembrak.1.gz DESTINATION share/man/man1)
include(CPack)
