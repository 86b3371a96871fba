# Install-time steps of the desktop files, run by `cmake --install` and by CPack with
# talon_icon_dir and talon_autostart_entry set.

# The application icon drawn by skingen as icons/talon7x_<size>.png and icons/talon7x.svg, into
# the hicolor theme at every size there is.
file(GLOB app_icons RELATIVE "${talon_icon_dir}" "${talon_icon_dir}/talon7x_*.png")
if(NOT app_icons)
  message(FATAL_ERROR "no application icon in ${talon_icon_dir}: build the project first")
endif()
foreach(icon ${app_icons})
  string(REGEX REPLACE "^talon7x_([0-9]+)\\.png$" "\\1" size "${icon}")
  file(INSTALL "${talon_icon_dir}/${icon}"
       DESTINATION "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/${size}x${size}/apps"
       RENAME talon7x.png)
endforeach()
file(INSTALL "${talon_icon_dir}/talon7x.svg"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/scalable/apps")

# The system autostart folder: /etc/xdg/autostart for the prefix /usr (GNUInstallDirs puts etc/
# there for that prefix), P/etc/xdg/autostart for any other prefix P. DESTDIR, set by CPack and
# by staged installs, is added by file(INSTALL).
if(CMAKE_INSTALL_PREFIX MATCHES "^/usr/?$")
  set(autostart_dir /etc/xdg/autostart)
else()
  set(autostart_dir "${CMAKE_INSTALL_PREFIX}/etc/xdg/autostart")
endif()
file(INSTALL "${talon_autostart_entry}" DESTINATION "${autostart_dir}" RENAME talon7x.desktop)
