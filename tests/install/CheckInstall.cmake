# Installs the build into a throwaway prefix and starts the installed program
# with a fresh home: it must find its shipped files through share/corvella and
# copy them into the per-user folder. Run as:
# cmake -DBUILD=<build folder> -DWORK=<scratch folder> -P CheckInstall.cmake
file(REMOVE_RECURSE "${WORK}")
set(prefix "${WORK}/prefix with blank")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}"
                OUTPUT_QUIET RESULT_VARIABLE installed)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "install failed: ${installed}")
endif()
foreach(file bin/corvella share/corvella/hint.txt share/corvella/plumo.html share/applications/corvella.desktop
             share/icons/hicolor/48x48/apps/corvella.png)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(GLOB templates "${prefix}/share/corvella/template/*.pl")
if(templates STREQUAL "")
  message(FATAL_ERROR "no templates installed")
endif()
file(READ "${prefix}/share/applications/corvella.desktop" entry)
if(NOT entry MATCHES "\nExec=\"${prefix}/bin/corvella\" %F\n")
  message(FATAL_ERROR "desktop entry does not name the installed program:\n${entry}")
endif()

set(home "${WORK}/home")
file(MAKE_DIRECTORY "${home}/run")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen HOME=${home} XDG_DATA_HOME=${home}/data
          XDG_CONFIG_HOME=${home}/config XDG_STATE_HOME=${home}/state XDG_RUNTIME_DIR=${home}/run TMPDIR=${home}
          "${prefix}/bin/corvella" --startup-time
  RESULT_VARIABLE started TIMEOUT 120 OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT started EQUAL 0)
  message(FATAL_ERROR "installed program did not start: ${started}\n${errors}")
endif()
foreach(file hint.txt plumo.html template macro)
  if(NOT EXISTS "${home}/data/Corvella/${file}")
    message(FATAL_ERROR "the per-user folder lacks ${file}")
  endif()
endforeach()
if(errors MATCHES "hint.txt")
  message(FATAL_ERROR "the installed program could not read its hints:\n${errors}")
endif()
file(REMOVE_RECURSE "${WORK}")
