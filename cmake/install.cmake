# What `cmake --install` (and the Debian package, cmake/package.cmake) puts
# where, under the prefix:
#
#   bin/tavrello                               the workbook host
#   lib/tavrello/                              Tavrello.so and the platform libraries;
#                                              the host's RPATH names this folder, and
#                                              `tavrello register` looks for the add-in here
#   share/applications/tavrello.desktop        the desktop's menu entry
#   share/icons/hicolor/<size>/apps/tavrello.* the icon, 16 to 128 pixels and scalable
#   share/man/man1/tavrello.1.gz               the manual page
#
# The sample database is not a file of the package: `tavrello register`
# creates it in the user's data folder from code (platform/db/sample_database).
include(GNUInstallDirs)

set_target_properties(tavrello PROPERTIES INSTALL_RPATH "$ORIGIN/../${TAVRELLO_PRIVATE_LIBDIR}")
install(TARGETS tavrello RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The libraries find one another through their own RPATH ($ORIGIN).
foreach(lib Tavrello tavrello_system tavrello_forms tavrello_db tavrello_workbook tavrello_builder tavrello_gui)
  if(TARGET ${lib})
    install(TARGETS ${lib} LIBRARY DESTINATION ${TAVRELLO_PRIVATE_LIBDIR})
  endif()
endforeach()

set(desktop_dir ${PROJECT_SOURCE_DIR}/desktop)
install(FILES ${desktop_dir}/tavrello.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The PNGs are drawn from the SVG by scripts/render-icons and kept in the
# repository, so building needs no SVG renderer.
foreach(size 16 32 48 128)
  install(FILES ${desktop_dir}/icons/tavrello-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tavrello.png)
endforeach()
install(FILES ${desktop_dir}/icons/tavrello.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages are installed compressed, as Debian's man expects them.
find_program(TAVRELLO_GZIP gzip REQUIRED)
set(manual ${CMAKE_BINARY_DIR}/share/man/man1/tavrello.1)
configure_file(${PROJECT_SOURCE_DIR}/docs/tavrello.1.in ${manual} @ONLY)
add_custom_command(OUTPUT ${manual}.gz
  COMMAND ${TAVRELLO_GZIP} -9nkf ${manual}
  DEPENDS ${manual}
  VERBATIM)
add_custom_target(tavrello_manual ALL DEPENDS ${manual}.gz)
install(FILES ${manual}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
