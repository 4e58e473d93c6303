# Driving LibreOffice Calc needs its SDK: cppumaker makes the C++ headers of the UNO types at
# build time. Without the SDK the program is built all the same, and says so when asked.
set(LO_SDK /usr/lib/libreoffice/sdk)
set(LO_PROGRAM /usr/lib/libreoffice/program)
find_program(LO_CPPUMAKER cppumaker PATHS ${LO_SDK}/bin NO_DEFAULT_PATH)
find_path(LO_INCLUDE cppuhelper/bootstrap.hxx PATHS /usr/include/libreoffice NO_DEFAULT_PATH)
find_library(LO_CPPU uno_cppu PATHS ${LO_SDK}/lib NO_DEFAULT_PATH)
find_library(LO_CPPUHELPER uno_cppuhelpergcc3 PATHS ${LO_SDK}/lib NO_DEFAULT_PATH)
find_library(LO_SAL uno_sal PATHS ${LO_SDK}/lib NO_DEFAULT_PATH)

option(LINTRACE_UNO "Drive LibreOffice Calc when its SDK is installed" ON)
set(LINTRACE_AVEC_UNO OFF)
if(LINTRACE_UNO AND LO_CPPUMAKER AND LO_INCLUDE AND LO_CPPU AND LO_CPPUHELPER AND LO_SAL AND EXISTS ${LO_PROGRAM}/types/offapi.rdb)
  set(LINTRACE_AVEC_UNO ON)
endif()

function(lintrace_uno cible source_uno source_sans)
  if(NOT LINTRACE_AVEC_UNO)
    message(STATUS "Built without the LibreOffice SDK (or with LINTRACE_UNO off): the LibreOffice export is left out")
    target_sources(${cible} PRIVATE ${source_sans})
    return()
  endif()
  set(types com.sun.star.frame.Desktop com.sun.star.frame.XDesktop2 com.sun.star.frame.XComponentLoader
            com.sun.star.frame.XStorable com.sun.star.frame.XModel com.sun.star.sheet.XSpreadsheetDocument
            com.sun.star.sheet.XSpreadsheet com.sun.star.sheet.XCellRangeData com.sun.star.table.XCellRange
            com.sun.star.text.XText com.sun.star.container.XIndexAccess com.sun.star.beans.PropertyValue
            com.sun.star.util.XCloseable com.sun.star.lang.DisposedException com.sun.star.uno.DeploymentException
            com.sun.star.uno.XComponentContext com.sun.star.task.XInteractionHandler
            com.sun.star.task.XInteractionAbort com.sun.star.lang.XTypeProvider com.sun.star.uno.XWeak
            com.sun.star.uno.XAggregation)
  set(options)
  foreach(t ${types})
    list(APPEND options -T${t})
  endforeach()
  set(gen ${CMAKE_BINARY_DIR}/uno_types)
  add_custom_command(OUTPUT ${gen}/stamp
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${gen}
                     COMMAND ${LO_CPPUMAKER} -Gc -O${gen} ${options} ${LO_PROGRAM}/types.rdb ${LO_PROGRAM}/types/offapi.rdb
                     COMMAND ${CMAKE_COMMAND} -E touch ${gen}/stamp
                     DEPENDS ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
                     COMMENT "Generating the UNO type headers" VERBATIM)
  add_custom_target(uno_types DEPENDS ${gen}/stamp)
  add_dependencies(${cible} uno_types)
  target_sources(${cible} PRIVATE ${source_uno})
  set_source_files_properties(${source_uno} PROPERTIES
    COMPILE_DEFINITIONS "LINUX;UNX;GCC;CPPU_ENV=gcc3"
    COMPILE_OPTIONS "-isystem;${LO_INCLUDE};-isystem;${gen}")
  target_link_libraries(${cible} PRIVATE ${LO_CPPU} ${LO_CPPUHELPER} ${LO_SAL})
  target_link_options(${cible} INTERFACE -Wl,-rpath-link,${LO_PROGRAM} -Wl,-rpath,${LO_PROGRAM})
endfunction()
