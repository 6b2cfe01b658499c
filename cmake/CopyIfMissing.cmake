# cmake -DSOURCE=... -DDEST=... -P CopyIfMissing.cmake
# A file that is already there (the user's own list, logo or language file) stays as it is.
if(NOT EXISTS "${DEST}")
  file(COPY_FILE "${SOURCE}" "${DEST}")
endif()
