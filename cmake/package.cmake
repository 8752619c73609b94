# The Debian package `tavrello`: what cmake/install.cmake installs, under
# /usr. scripts/package builds it into the build folder.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrello)
# The package carries the whole project version (1.30.0.2), not the one the
# program shows (1.30.2, without the build field): only the whole version
# is sure to rise with every release, which is what dpkg compares when it
# upgrades.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Varnock Systems")
set(CPACK_PACKAGE_HOMEPAGE_URL "http://www.varnocksystems.com")
set(TAVRELLO_PACKAGE_MAINTAINER "Tavrello maintainers <maintainers@users.noreply.c-seed-864af1fb.example>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${TAVRELLO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAVRELLO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "take rows from databases into spreadsheet workbooks")
set(CPACK_PACKAGE_DESCRIPTION
"Tavrello is a workbook host with a database add-in. Saved named connections,
a query window with a visual query builder and a statement box, and a preview
grid lead to an import that writes a query's rows into a worksheet (values,
headings, a table design, an auto filter), or places a linked query table that
stays refreshable in the saved .xlsx file.

An embedded SQLite sample database works without any server; every other
database is reached through ODBC. Each user runs \"tavrello register\" once to
set the add-in up.")
set(CPACK_DEBIAN_PACKAGE_SECTION database)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)

# The dependencies are read from the installed program and libraries by
# dpkg-shlibdeps (dpkg-dev). The ODBC drivers are loaded by name at run time,
# so no library names them: they, and xdg-open for the web links, are
# recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "odbc-postgresql, libsqliteodbc, xdg-utils")
set(CPACK_STRIP_FILES ON)

include(CPack)
