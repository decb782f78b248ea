# What `cmake --install` puts in place: the program, the simulated instrument,
# the stand-in analysis program, the menu entry and the icon, in the usual
# freedesktop folders of the prefix.
include(GNUInstallDirs)

if(TARGET lumko)
  install(TARGETS lumko RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
foreach(outil lumko-instrument lumko-recepteur)
  if(TARGET ${outil})
    install(TARGETS ${outil} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/lumko.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The same drawing as the one built into the program, so the menu and the
# window show one icon.
install(FILES ${PROJECT_SOURCE_DIR}/src/spectrum/icones/lumko.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
