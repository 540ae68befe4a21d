# Lays out the release folder: what people who never build take, each file
# named with the version, the release notes from CHANGELOG.md, and SHA256SUMS.
#   cmake -DVERSION=... -DSOURCE=... -DBINARY=... -DOUT=... -P make_release.cmake
set(files
    "${BINARY}/studio/showsaver-studio.html=showsaver-studio-${VERSION}.html"
    "${SOURCE}/build-windows-x86_64/showsaver.scr=showsaver-${VERSION}-windows-x64.scr"
    "${SOURCE}/build-windows-i686/showsaver.scr=showsaver-${VERSION}-windows-x86.scr"
    "${BINARY}/demo/demo-windows.scr=showsaver-demo-${VERSION}-windows-x64.scr"
    "${BINARY}/deb/showsaver_${VERSION}_amd64.deb=showsaver_${VERSION}_amd64.deb")

file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
set(sums "")
foreach(entry IN LISTS files)
  string(REGEX MATCH "^(.*)=([^=]*)$" ignored "${entry}")
  set(from "${CMAKE_MATCH_1}")
  set(name "${CMAKE_MATCH_2}")
  if(NOT EXISTS "${from}")
    message(FATAL_ERROR "The release needs ${from}: run `make release`, which builds it")
  endif()
  file(COPY_FILE "${from}" "${OUT}/${name}")
  file(SHA256 "${OUT}/${name}" sum)
  string(APPEND sums "${sum}  ${name}\n")
endforeach()

# The notes: this version's section of CHANGELOG.md.
file(READ "${SOURCE}/CHANGELOG.md" changes)
string(REGEX MATCH "\n## ${VERSION}[^\n]*\n(.*)" section "${changes}")
if(NOT section)
  message(FATAL_ERROR "CHANGELOG.md has no section for ${VERSION}")
endif()
string(REGEX REPLACE "\n## .*" "" notes "${CMAKE_MATCH_1}")
string(STRIP "${notes}" notes)
file(WRITE "${OUT}/RELEASE-NOTES-${VERSION}.md" "# showsaver ${VERSION}\n\n${notes}\n")
file(SHA256 "${OUT}/RELEASE-NOTES-${VERSION}.md" sum)
string(APPEND sums "${sum}  RELEASE-NOTES-${VERSION}.md\n")
file(WRITE "${OUT}/SHA256SUMS" "${sums}")
message(STATUS "The release is in ${OUT}")
