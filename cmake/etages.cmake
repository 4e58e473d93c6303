cmake_minimum_required(VERSION 3.25)
# Run as a build step of each util_rez library (cmake -P): fails the build when one of its
# files includes a util_rez folder that the library may not use, so a lower floor cannot
# quietly come to depend on a higher one.
#   -DDOSSIER=plot -DPERMIS="base;files;target" -DSOURCES="a.cpp;a.h" -DTEMOIN=stamp
set(fautes)
foreach(source ${SOURCES})
  file(STRINGS ${source} lignes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]util_rez/")
  foreach(ligne ${lignes})
    string(REGEX MATCH "util_rez/(.+)/[^/]+[\">]" _ "${ligne}")
    set(dossier "${CMAKE_MATCH_1}")
    if(NOT dossier STREQUAL DOSSIER AND NOT dossier IN_LIST PERMIS)
      list(APPEND fautes "${source}: ${ligne} (util_rez/${DOSSIER} may use only: ${PERMIS})")
    endif()
  endforeach()
endforeach()
if(fautes)
  list(JOIN fautes "\n  " texte)
  message(FATAL_ERROR "Include across the floors of util_rez:\n  ${texte}")
endif()
file(TOUCH ${TEMOIN})
