# Names, addresses and dates of the installed program and its package, shared by the install
# rules (packaging.cmake, packaging_deb.cmake) and the tests of what they make.

set(TALON_INSTALL_DIR lib/talon7x)
# FIXME: example.com stands in until the project has an address of its own; the metainfo id is
# the reverse of that address.
set(TALON_HOMEPAGE "https://www.example.com/talon7x-duo/")
set(TALON_APPSTREAM_ID com.example.talon7x)
# The day PROJECT_VERSION was released: manual pages, metainfo and the package's changelog.
set(TALON_RELEASE_DATE 2026-12-11)
execute_process(COMMAND date -u -R -d ${TALON_RELEASE_DATE}
                OUTPUT_VARIABLE TALON_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(TALON_PACKAGE_MAINTAINER "TALON7X-DUO configurator developers <talon7x@example.com>")

# Files made for the install: bin/ links, gzipped manual pages and changelog, the metainfo.
set(TALON_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
set(TALON_METAINFO_FILE ${TALON_PACKAGING_DIR}/${TALON_APPSTREAM_ID}.metainfo.xml)
