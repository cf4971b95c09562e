# The component's Windows Installer package for this bitness, made with wixl (Debian's wixl, from
# msitools) as part of the default build: k72645-<version>-<x86|x64>.msi in the build folder.
# It installs k72645.dll under Program Files (the 32-bit one under the 32-bit Program Files) and
# registers, through its own Registry table, what DllRegisterServer registers: the public
# classes, their ProgIDs and threading model, and the type library with its automation
# interfaces. Those are read here from the type library's source (k72645.idl); the install test
# compares the installed keys with the ones regsvr32 writes.
# The upgrade code is fixed for each bitness; the product code is derived from it and from the
# version, so that each version is one product and a newer one replaces an older one.
# Also made: a package of a lower version (tests/windows/install/), for the upgrade test.
# Needs: k72645_component, com_dir, and the identity of cmake/product-identity.cmake.

find_program(K72645_WIXL wixl)
find_program(K72645_MSIBUILD msibuild)
if(NOT K72645_WIXL OR NOT K72645_MSIBUILD)
  message(STATUS "wixl or msibuild not found (Debian packages wixl, msitools): no installer package in this build")
  return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(K72645_MSI_ARCH x64)
  set(K72645_MSI_BITS 64-bit)
  set(K72645_MSI_WIN64 yes)
  set(K72645_MSI_PROGRAM_FILES ProgramFiles64Folder)
  set(K72645_UPGRADE_CODE A83CE454-7BFA-4CF9-9608-3C30FA9CB31E)
  set(platform_key win64)
else()
  set(K72645_MSI_ARCH x86)
  set(K72645_MSI_BITS 32-bit)
  set(K72645_MSI_WIN64 no)
  set(K72645_MSI_PROGRAM_FILES ProgramFilesFolder)
  set(K72645_UPGRADE_CODE 6CBE69E7-AF7F-4758-8F76-814649CBF7C3)
  set(platform_key win32)
endif()
string(UUID K72645_COMPONENT_GUID NAMESPACE ${K72645_UPGRADE_CODE} NAME "component k72645.dll"
       TYPE SHA1 UPPER)

# The version just below the project's, for the upgrade test's older package.
function(k72645_lower_version out)
  if(PROJECT_VERSION_PATCH GREATER 0)
    math(EXPR patch "${PROJECT_VERSION_PATCH} - 1")
    set(${out} "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${patch}" PARENT_SCOPE)
  elseif(PROJECT_VERSION_MINOR GREATER 0)
    math(EXPR minor "${PROJECT_VERSION_MINOR} - 1")
    set(${out} "${PROJECT_VERSION_MAJOR}.${minor}.0" PARENT_SCOPE)
  else()
    math(EXPR major "${PROJECT_VERSION_MAJOR} - 1")
    set(${out} "${major}.0.0" PARENT_SCOPE)
  endif()
endfunction()

# The type library's identity, its automation interfaces and its classes, from its source.
set(idl_file ${com_dir}/k72645.idl)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${idl_file})
file(READ ${idl_file} idl)
string(REGEX REPLACE "//[^\n]*" "" idl "${idl}")
string(REGEX MATCH "\\[([^]]*)\\][ \t\r\n]*library[ \t\r\n]+([A-Za-z0-9_]+)" library "${idl}")
set(library_attributes "${CMAKE_MATCH_1}")
string(REGEX MATCH "uuid\\(([0-9A-Fa-f-]+)\\)" found "${library_attributes}")
string(TOUPPER "{${CMAKE_MATCH_1}}" library_id)
string(REGEX MATCH "version\\(([0-9]+\\.[0-9]+)\\)" found "${library_attributes}")
set(library_version "${CMAKE_MATCH_1}")
string(REGEX MATCH "helpstring\\(\"([^\"]*)\"\\)" found "${library_attributes}")
set(library_title "${CMAKE_MATCH_1}")
if(library_id STREQUAL "{}" OR NOT library_version OR NOT library_title)
  message(FATAL_ERROR "k72645.idl: the library's uuid, version or helpstring was not found")
endif()

set(registry "")
function(k72645_registry_value key value_name value)
  set(line "            <RegistryValue Root=\"HKMU\" Key=\"Software\\Classes\\${key}\"")
  if(NOT value_name STREQUAL "")
    string(APPEND line " Name=\"${value_name}\"")
  endif()
  string(APPEND registry "${line} Type=\"string\" Value=\"${value}\"/>\n")
  set(registry "${registry}" PARENT_SCOPE)
endfunction()

set(library_key "TypeLib\\${library_id}\\${library_version}")
k72645_registry_value("${library_key}" "" "${library_title}")
k72645_registry_value("${library_key}\\FLAGS" "" "0")
k72645_registry_value("${library_key}\\HELPDIR" "" "[INSTALLDIR]")
k72645_registry_value("${library_key}\\0\\${platform_key}" "" "[#k72645.dll]")

string(REGEX MATCHALL "\\[[^]]*\\][ \t\r\n]*(coclass|interface|dispinterface)[ \t\r\n]+[A-Za-z0-9_]+"
       items "${idl}")
set(class_count 0)
foreach(item IN LISTS items)
  string(REGEX MATCH "uuid\\(([0-9A-Fa-f-]+)\\)" found "${item}")
  if(NOT found)
    continue()  # a class's [default] interface, not a declaration
  endif()
  string(TOUPPER "{${CMAKE_MATCH_1}}" id)
  string(REGEX MATCH "(coclass|interface|dispinterface)[ \t\r\n]+([A-Za-z0-9_]+)$" found "${item}")
  set(kind "${CMAKE_MATCH_1}")
  set(name "${CMAKE_MATCH_2}")
  if(kind STREQUAL "coclass")
    # As DllRegisterServer registers each public class.
    set(prog_id "K72645.${name}")
    k72645_registry_value("CLSID\\${id}" "" "${prog_id}")
    k72645_registry_value("CLSID\\${id}\\InprocServer32" "" "[#k72645.dll]")
    k72645_registry_value("CLSID\\${id}\\InprocServer32" "ThreadingModel" "Apartment")
    k72645_registry_value("CLSID\\${id}\\ProgID" "" "${prog_id}")
    k72645_registry_value("CLSID\\${id}\\VERSION" "" "1.0")
    k72645_registry_value("CLSID\\${id}\\TypeLib" "" "${library_id}")
    k72645_registry_value("${prog_id}" "" "${prog_id}")
    k72645_registry_value("${prog_id}\\CLSID" "" "${id}")
    math(EXPR class_count "${class_count} + 1")
  else()
    # As RegisterTypeLib registers an automation interface of the library.
    if(kind STREQUAL "dispinterface")
      set(marshaler "{00020420-0000-0000-C000-000000000046}")
    elseif(item MATCHES "[[,( \t\r\n](dual|oleautomation)[],) \t\r\n]")
      set(marshaler "{00020424-0000-0000-C000-000000000046}")
    else()
      continue()
    endif()
    k72645_registry_value("Interface\\${id}" "" "${name}")
    k72645_registry_value("Interface\\${id}\\ProxyStubClsid" "" "${marshaler}")
    k72645_registry_value("Interface\\${id}\\ProxyStubClsid32" "" "${marshaler}")
    k72645_registry_value("Interface\\${id}\\TypeLib" "" "${library_id}")
    k72645_registry_value("Interface\\${id}\\TypeLib" "Version" "${library_version}")
  endif()
endforeach()
if(class_count EQUAL 0)
  message(FATAL_ERROR "k72645.idl: no class found for the installer package")
endif()
set(K72645_MSI_REGISTRY "${registry}")

set(package_dir ${CMAKE_BINARY_DIR}/package)
configure_file(${PROJECT_SOURCE_DIR}/cmake/k72645.wxs.in ${package_dir}/k72645.wxs @ONLY)

# k72645_msi(TARGET VERSION OUTPUT): the package of VERSION, built by TARGET (a default target).
function(k72645_msi target version output)
  string(UUID product_code NAMESPACE ${K72645_UPGRADE_CODE} NAME "product ${version}" TYPE SHA1
         UPPER)
  add_custom_command(OUTPUT ${output}
    COMMAND ${K72645_WIXL} -a ${K72645_MSI_ARCH} -D Version=${version}
            -D ProductCode=${product_code} -o ${output} ${package_dir}/k72645.wxs
    # wixl 0.101 writes HKMU as the root 4, which Windows Installer does not know: -1 is the
    # root that follows ALLUSERS (HKLM per machine, HKCU per user).
    COMMAND ${K72645_MSIBUILD} ${output} -q "UPDATE Registry SET Root = -1 WHERE Root = 4"
    DEPENDS k72645_component ${package_dir}/k72645.wxs
    WORKING_DIRECTORY $<TARGET_FILE_DIR:k72645_component>
    COMMENT "Installer package ${output}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

k72645_msi(k72645_package ${PROJECT_VERSION}
           ${CMAKE_BINARY_DIR}/k72645-${PROJECT_VERSION}-${K72645_MSI_ARCH}.msi)
k72645_lower_version(lower_version)
k72645_msi(k72645_package_older ${lower_version}
           ${CMAKE_BINARY_DIR}/tests/windows/install/k72645-${lower_version}-${K72645_MSI_ARCH}.msi)
