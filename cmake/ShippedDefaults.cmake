# The battery-type list, the report logo and the English language file beside each program
# of the build, under the names the program looks for, so that a build runs as shipped.
set(VYBITOR_DEFAULTS
  "${PROJECT_SOURCE_DIR}/samples/battery-types.btr|.btr"
  "${PROJECT_SOURCE_DIR}/samples/report-logo.jpg|.jpg"
  "${PROJECT_SOURCE_DIR}/samples/English.lng|English.lng")

set(place_commands)
foreach(program IN ITEMS Vybitor5 vybitor5-cli)
  foreach(entry IN LISTS VYBITOR_DEFAULTS)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 source)
    list(GET parts 1 name)
    if(name MATCHES "^\\.")
      set(name "$<TARGET_FILE_BASE_NAME:${program}>${name}") # the file named after the program
    endif()
    list(APPEND place_commands COMMAND ${CMAKE_COMMAND} -DSOURCE=${source}
         -DDEST=$<TARGET_FILE_DIR:${program}>/${name} -P ${PROJECT_SOURCE_DIR}/cmake/CopyIfMissing.cmake)
  endforeach()
endforeach()
# Runs at every build, so a default the user deleted comes back, and one he replaced stays.
add_custom_target(shipped_defaults ALL ${place_commands} VERBATIM)
add_dependencies(shipped_defaults Vybitor5 vybitor5-cli)
