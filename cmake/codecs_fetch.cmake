# cmake -DDIR=<folder> -DTOOLCHAIN=<mingw toolchain file> [-DMINGW=<target triplet>]
#       [-DSRC=<folder>] -P codecs_fetch.cmake
#
# Fetches Debian's source packages of the picture codec libraries with `apt-get source`
# and builds them as static mingw libraries (i686 unless MINGW says otherwise) into
# DIR/install. Runs once: a later
# run finds DIR/install/.complete and returns at once. Sources are unpacked under SRC
# (default DIR/src), which two builds may share: the one that fetches holds a lock on it
# meanwhile; DIR/src then links to it. They never leave the build folder.
cmake_minimum_required(VERSION 3.20)

if(NOT MINGW)
  set(MINGW i686-w64-mingw32)
endif()
set(src ${DIR}/src)
if(SRC)
  set(src ${SRC})
endif()
set(work ${DIR}/work)
set(prefix ${DIR}/install)
if(EXISTS ${prefix}/.complete)
  return()
endif()
file(REMOVE_RECURSE ${work} ${prefix})
file(MAKE_DIRECTORY ${src} ${work} ${prefix}/include ${prefix}/lib)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "codec libraries: `${ARGN}` failed (${rc}):\n${out}")
  endif()
endfunction()

# Unpacked source folder of a package, fetching it when it is not there yet.
function(fetch package glob outvar)
  file(GLOB found LIST_DIRECTORIES true ${src}/${glob})
  list(FILTER found EXCLUDE REGEX "\\.(dsc|tar\\..*|diff\\..*)$")
  if(NOT found)
    message(STATUS "codec libraries: apt-get source ${package}")
    execute_process(COMMAND apt-get source -qq ${package} WORKING_DIRECTORY ${src}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
      # The package lists may be missing (a fresh machine), or the newest version not
      # on the mirror yet: refresh the lists once and try every version offered,
      # newest first.
      execute_process(COMMAND apt-get update -qq OUTPUT_QUIET ERROR_QUIET)
      execute_process(COMMAND apt-cache showsrc ${package} OUTPUT_VARIABLE listing ERROR_QUIET)
      string(REGEX MATCHALL "\nVersion: [^\n]+" versions "\n${listing}")
      list(TRANSFORM versions REPLACE "\nVersion: " "")
      list(REMOVE_DUPLICATES versions)
      list(SORT versions COMPARE NATURAL ORDER DESCENDING)
      set(rc 1)
      foreach(version ${versions})
        execute_process(COMMAND apt-get source -qq ${package}=${version}
                        WORKING_DIRECTORY ${src} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
        if(rc EQUAL 0)
          break()
        endif()
      endforeach()
      if(NOT rc EQUAL 0)
        run(apt-get source -qq ${package} WORKING_DIRECTORY ${src})
      endif()
    endif()
    file(GLOB found LIST_DIRECTORIES true ${src}/${glob})
    list(FILTER found EXCLUDE REGEX "\\.(dsc|tar\\..*|diff\\..*)$")
  endif()
  if(NOT found)
    message(FATAL_ERROR "codec libraries: no source folder for ${package}")
  endif()
  list(GET found 0 first)
  set(${outvar} ${first} PARENT_SCOPE)
endfunction()

file(LOCK ${src} DIRECTORY GUARD PROCESS TIMEOUT 1800 RESULT_VARIABLE locked)
if(NOT locked EQUAL 0)
  message(FATAL_ERROR "codec libraries: no lock on ${src}: ${locked}")
endif()
fetch(libjpeg-turbo "libjpeg-turbo-*" jpeg_src)
fetch(libpng1.6 "libpng1.6-*" png_src)
fetch(tiff "tiff-*" tiff_src)
fetch(giflib "giflib-*" gif_src)
file(LOCK ${src} DIRECTORY RELEASE)
# DIR/src names the sources either way, a link when they are shared: the release's
# notices are read from there.
if(NOT EXISTS ${DIR}/src)
  file(CREATE_LINK ${src} ${DIR}/src SYMBOLIC)
endif()

set(common -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=${prefix}
    -DCMAKE_POLICY_DEFAULT_CMP0074=NEW -DBUILD_SHARED_LIBS=OFF
    -DCMAKE_FIND_ROOT_PATH=${prefix}\;/usr/${MINGW})

function(build name source)
  run(${CMAKE_COMMAND} -S ${source} -B ${work}/${name} ${common} ${ARGN})
  run(${CMAKE_COMMAND} --build ${work}/${name} -j2)
  run(${CMAKE_COMMAND} --install ${work}/${name})
endfunction()

message(STATUS "codec libraries: building libjpeg-turbo")
# Its library only, installed by hand: its install step wants its programs and tests too
# (cjpeg, djpeg, jpegtran, ...), which would cost each tree's build several seconds.
run(${CMAKE_COMMAND} -S ${jpeg_src} -B ${work}/jpeg ${common} -DWITH_SIMD=OFF -DENABLE_SHARED=OFF
    -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF)
run(${CMAKE_COMMAND} --build ${work}/jpeg --target jpeg-static -j2)
file(COPY ${work}/jpeg/libjpeg.a DESTINATION ${prefix}/lib)
file(COPY ${work}/jpeg/jconfig.h ${jpeg_src}/jerror.h ${jpeg_src}/jmorecfg.h ${jpeg_src}/jpeglib.h
     DESTINATION ${prefix}/include)

set(zlib -DZLIB_INCLUDE_DIR=/usr/${MINGW}/include
         -DZLIB_LIBRARY=/usr/${MINGW}/lib/libz.a)
message(STATUS "codec libraries: building libpng")
build(png ${png_src} -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
      -DPNG_HARDWARE_OPTIMIZATIONS=OFF ${zlib})

message(STATUS "codec libraries: building libtiff")
build(tiff ${tiff_src} -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF
      -Dzlib=ON -Djpeg=ON -Dold-jpeg=OFF -Djpeg12=OFF -Dpixarlog=OFF -Djbig=OFF -Dlzma=OFF
      -Dzstd=OFF -Dwebp=OFF -Dlerc=OFF -Dlibdeflate=OFF -Dcxx=OFF ${zlib}
      -DJPEG_INCLUDE_DIR=${prefix}/include -DJPEG_LIBRARY=${prefix}/lib/libjpeg.a)

# giflib is a handful of C files without a build system we can cross-use.
message(STATUS "codec libraries: building giflib")
set(gif_objects)
foreach(f dgif_lib egif_lib gifalloc gif_err gif_hash openbsd-reallocarray)
  run(${MINGW}-gcc -O2 -c ${gif_src}/${f}.c -o ${work}/${f}.o)
  list(APPEND gif_objects ${work}/${f}.o)
endforeach()
file(REMOVE ${prefix}/lib/libgif.a)
run(${MINGW}-ar rcs ${prefix}/lib/libgif.a ${gif_objects})
file(COPY ${gif_src}/gif_lib.h DESTINATION ${prefix}/include)

file(WRITE ${prefix}/.complete "")
message(STATUS "codec libraries: ready in ${prefix}")
