# SPDX-License-Identifier: GPL-3.0-or-later
# CPack settings of the Debian package ambrelo (included by
# packaging/CMakeLists.txt). `cpack -G DEB` in the build folder writes
# ambrelo_<version>_<arch>.deb there.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ambrelo)
set(CPACK_PACKAGE_VENDOR "Ambrelo maintainers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "${AMBRELO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hydraulic design of U-shaped flumes")
# Stripped programs, as Debian ships them (the build keeps its symbols). The
# package is one component: the install rules of app/, cli/ and packaging/;
# no test, benchmark or static library has one.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME ambrelo)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${AMBRELO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The extended description below the synopsis (CPACK_PACKAGE_DESCRIPTION_SUMMARY);
# CPack indents its lines and writes an empty line as " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Ambrelo designs U-shaped flumes, channels whose cross-section is a
semicircle with vertical walls above it. From the basic data of one of
four cases it solves the width, the slope, the depth or the discharge by
Manning's formula and works out the head losses through the flume. It
draws the section, checks the design against GB 50288-2018 and writes the
calculation report as PDF or ODT.

The package holds the desktop program ambrelo (Simplified Chinese) and the
command-line calculator ambrelo-calc.

Ambrelo 用于 U 形渡槽的水力设计：按四种情况之一输入基本资料，
用曼宁公式求槽宽、槽身比降、水深或流量，并计算进口、沿程和出口
水头损失；绘制断面图，按 GB 50288-2018 进行设计校核，输出 PDF 或
ODT 格式的水力计算书。包括桌面程序 ambrelo 和命令行程序 ambrelo-calc。]=])

# The Qt 6 and dxflib (libdxflib3) runtime libraries the binaries link, from dpkg-shlibdeps
# (dpkg-dev), and the Chinese faces the windows, the drawings and the report
# draw with: Noto Serif/Sans CJK SC in the windows, AR PL UMing CN (宋体),
# WenQuanYi Zen Hei (黑体) and AR PL UKai CN (隶书) in the drawings and the
# report. The Chinese texts of Qt's own dialogs and DejaVu Serif for the
# report's Latin text are used where installed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-noto-cjk, fonts-arphic-uming, fonts-arphic-ukai, fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Folders the package creates: rwxr-xr-x whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
