# Win32 tree: the codec libraries cross-built from Debian's source packages (see
# codecs_fetch.cmake), once per build folder, at configure time.
set(ZD_CODECS_DIR ${CMAKE_BINARY_DIR}/codecs)
if(NOT ZD_CODECS_SRC)
  set(ZD_CODECS_SRC ${ZD_CODECS_DIR}/src)
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -DDIR=${ZD_CODECS_DIR} -DSRC=${ZD_CODECS_SRC}
          -DTOOLCHAIN=${CMAKE_TOOLCHAIN_FILE} -DMINGW=${ZD_MINGW_PREFIX}
          -P ${CMAKE_SOURCE_DIR}/cmake/codecs_fetch.cmake
  RESULT_VARIABLE zd_codecs_rc)
if(NOT zd_codecs_rc EQUAL 0)
  message(FATAL_ERROR "The codec libraries could not be built for the Windows tree")
endif()
set(zd_codecs_prefix ${ZD_CODECS_DIR}/install)
target_include_directories(zd_codecs INTERFACE ${zd_codecs_prefix}/include)
target_link_libraries(zd_codecs INTERFACE
  ${zd_codecs_prefix}/lib/libtiff.a
  ${zd_codecs_prefix}/lib/libpng16.a
  ${zd_codecs_prefix}/lib/libjpeg.a
  ${zd_codecs_prefix}/lib/libgif.a
  /usr/${ZD_MINGW_PREFIX}/lib/libz.a)
