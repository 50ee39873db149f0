// Keeps the library non-empty until its first sources land.
namespace OvCore {
void FoundationLinked() {}
}
