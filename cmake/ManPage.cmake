# cmake -DPROGRAM=... -DNAME=... -DVERSION=... -DOUTPUT=page.1.gz -P ManPage.cmake
# A manual page from the program's --help (help2man), compressed as Debian ships them. The
# lines of --help that show the paths in force for the running copy are left out: they would
# name the build folder, not the installed one.
execute_process(COMMAND help2man --no-info --section=1 --version-string=${VERSION} --name=${NAME} ${PROGRAM}
                OUTPUT_VARIABLE page RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "help2man ${PROGRAM} failed")
endif()
# help2man sets each as ".TP", the caption, then the path.
string(REGEX REPLACE "\n\\.TP\n(configuration file|battery[^\n]*type list):\n[^\n]*" "" page "${page}")
string(REGEX REPLACE "\\.gz$" "" plain "${OUTPUT}")
file(WRITE ${plain} "${page}")
execute_process(COMMAND gzip -9nf ${plain} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "gzip ${plain} failed")
endif()
