# The installed program. `cmake --install build --prefix P` lays out
#
#   P/lib/talon7x/           the program, talon7x-ctl, talon7x-vkb, libKbBridge.so (hidapi),
#                            Skins/, Help/, icons/ and the language files, side by side
#   P/lib/talon7x/virtual/   libKbBridge.so over the virtual keyboard
#   P/bin/                   talon7x and talon7x-ctl, relative links into lib/talon7x
#   P/lib/udev/rules.d/      the keyboard's udev rule
#   P/share/                 desktop entry, metainfo, icons, manual pages, bash completion, doc
#   P/etc/xdg/autostart/     the autostart entry (/etc/xdg/autostart for the prefix /usr)
#
# Every data path is relative to the program's folder and the executables find libKbBridge.so
# through their RUNPATH ($ORIGIN), so the tree works from any prefix, and moved elsewhere too.
# Included last from the top-level CMakeLists.txt, once every target exists; the names and
# dates are in packaging_settings.cmake.

# Folders made by the install are 0755 whatever the umask, as a package needs them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(packaging_dir ${TALON_PACKAGING_DIR})
file(MAKE_DIRECTORY ${packaging_dir}/bin)

# P/bin/NAME -> ../lib/talon7x/NAME: /proc/self/exe and $ORIGIN name the real file, so the
# program still finds everything beside it.
function(talon_install_bin_link name)
  file(CREATE_LINK ../${TALON_INSTALL_DIR}/${name} ${packaging_dir}/bin/${name} SYMBOLIC)
  install(FILES ${packaging_dir}/bin/${name} DESTINATION bin)
endfunction()

# Text files with the version and the release date filled in, gzipped as manual pages and
# Debian's changelog are shipped (-n: no name or time stamp, so the output is reproducible).
set(packaging_outputs)
function(talon_gzipped_file template output)
  configure_file(${template} ${output} @ONLY)
  add_custom_command(OUTPUT ${output}.gz
    COMMAND gzip -9nkf ${output}
    DEPENDS ${output}
    VERBATIM)
  set(packaging_outputs ${packaging_outputs} ${output}.gz PARENT_SCOPE)
endfunction()

# The program's folder
install(TARGETS talon7x-ctl talon7x-vkb RUNTIME DESTINATION ${TALON_INSTALL_DIR})
install(TARGETS kbbridge_hid LIBRARY DESTINATION ${TALON_INSTALL_DIR})
install(TARGETS kbbridge_virtual LIBRARY DESTINATION ${TALON_INSTALL_DIR}/virtual)
file(GLOB lang_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/lang/Lang*.ini)
install(FILES ${lang_files} DESTINATION ${TALON_INSTALL_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/help/ DESTINATION ${TALON_INSTALL_DIR}/Help
        PATTERN ".*" EXCLUDE)
install(DIRECTORY ${CMAKE_BINARY_DIR}/Skins/ DESTINATION ${TALON_INSTALL_DIR}/Skins)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${TALON_INSTALL_DIR}/icons)
talon_install_bin_link(talon7x-ctl)

# The system
install(FILES ${CMAKE_SOURCE_DIR}/data/udev/70-talon7x-duo.rules DESTINATION lib/udev/rules.d)
install(FILES ${CMAKE_SOURCE_DIR}/data/completion/talon7x-ctl
        DESTINATION share/bash-completion/completions)
talon_gzipped_file(${CMAKE_SOURCE_DIR}/data/man/talon7x-ctl.1 ${packaging_dir}/man/talon7x-ctl.1)
install(FILES ${packaging_dir}/man/talon7x-ctl.1.gz DESTINATION share/man/man1)
talon_gzipped_file(${CMAKE_CURRENT_LIST_DIR}/packaging/changelog.in ${packaging_dir}/changelog)
install(FILES ${packaging_dir}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/packaging/copyright
        DESTINATION share/doc/talon7x)

# The program and what the desktop knows of it
install(TARGETS talon7x RUNTIME DESTINATION ${TALON_INSTALL_DIR})
talon_install_bin_link(talon7x)
talon_gzipped_file(${CMAKE_SOURCE_DIR}/data/man/talon7x.1 ${packaging_dir}/man/talon7x.1)
install(FILES ${packaging_dir}/man/talon7x.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/talon7x.desktop DESTINATION share/applications)
configure_file(${CMAKE_SOURCE_DIR}/data/desktop/talon7x.metainfo.xml.in ${TALON_METAINFO_FILE}
               @ONLY)
install(FILES ${TALON_METAINFO_FILE} DESTINATION share/metainfo)
# The application icon in the hicolor theme at every size skingen draws, and the autostart
# entry, whose folder depends on the prefix given at install time.
install(CODE "set(talon_icon_dir \"${CMAKE_BINARY_DIR}/icons\")
set(talon_autostart_entry \"${CMAKE_SOURCE_DIR}/data/desktop/talon7x-autostart.desktop\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/packaging_desktop_install.cmake)

add_custom_target(talon_packaging_files ALL DEPENDS ${packaging_outputs})
