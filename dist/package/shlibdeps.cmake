# Run by CPack before it packs (CPACK_PROJECT_CONFIG_FILE): the libraries' packages of the two
# programs and of the viewer's window library, from dpkg-shlibdeps, added to the package's
# fixed dependencies. CPack's own dependency search starts two processes for every file of the
# package to find the programs among the examples; here the programs are known.
file(STRINGS "${CPACK_TK_PROGRAMS_FILE}" programs)
set(work "${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps")
file(MAKE_DIRECTORY "${work}/debian")
file(TOUCH "${work}/debian/control")
execute_process(COMMAND dpkg-shlibdeps -O ${programs}
                WORKING_DIRECTORY "${work}"
                RESULT_VARIABLE failed OUTPUT_VARIABLE found ERROR_VARIABLE errors)
file(REMOVE_RECURSE "${work}")
# The warning that the programs are not yet where the package puts them is expected.
string(REGEX REPLACE "dpkg-shlibdeps: warning: binaries to analyze should already be installed in their package's directory\n?" "" errors "${errors}")
if(failed OR NOT found MATCHES "^shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "dpkg-shlibdeps found no dependencies of ${programs}: ${errors}")
endif()
if(errors)
  message(WARNING "dpkg-shlibdeps: ${errors}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}, ${CMAKE_MATCH_1}")
