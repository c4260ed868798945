#pragma once
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;

namespace vesdra {

class MDIForm1;

// The program's version as the title and the splash show it.
inline constexpr const char* TituloPrograma = "VESDRA DEMO 2.1.7";

// The menu form: a maximised MDI child that carries every menu of the
// program in a menu bar of its own (so the menus are reachable exactly when
// this form is) over a splash picture with the version label. Tag "8": the
// status-bar close button asks to end the program while it is active. It
// loads the settings (tools.ini, ficher.ini) and the language table.
class FrmMenu : public QWidget
{
    Q_OBJECT
public:
    explicit FrmMenu(QWidget* parent = nullptr);
    ~FrmMenu() override;

    // The load sequence: tool entries from tools.ini, the Análisis menu
    // shown only while tools exist, ficher.ini read (its line 1 is the
    // language) and rewritten, the language table, every caption, the
    // phasor and report items disabled, the version label. A failure shows
    // the error box and the remaining steps do not run (the menus keep their
    // design captions).
    void Form_Load();

    // Every menu caption from the language table, in the order of the load.
    void PonerTextos();

    // The Idioma menu: switches when `lang` is not the language in force,
    // then sets every caption again (the main window's close button too).
    void CambiarIdiomaMenu(std::int32_t lang);

    // Handlers, public so that tests drive them as a user would.
    void mnuAbrirComtrade_Click();
    void mnuCerrarComtrade_Click();
    void mnuPlantilla_Click();
    void mnuAnadirTool_Click();
    void mnuBorrartool_Click();
    void mnuDir_defecto_Click();
    void mnutraducirCOMTRADE_Click();
    void mnuEspanol_Click() { CambiarIdiomaMenu(1); }
    void mnuIngles_Click() { CambiarIdiomaMenu(0); }
    void mnuSalir_Click();
    void mnuOndas_Click();
    void mnuCanalog_Click();
    void mnuCompanalog_Click();
    void mnuFasores_Click();
    void mnuInform_Click();
    void mnuDigital_Click();
    void mnuDigGrupos_Click();
    void mnuCompdig_Click();
    void mnuanalisis_Click();
    void mnuanal_Click(std::int32_t index);

    // The tool entries mnuanal(1..n): entry 1 always exists; entries 2..n
    // are made (or dropped) to match n. Captions and enabling are set when
    // the Análisis menu opens.
    void AjustarEntradasTools(std::int32_t n);
    [[nodiscard]] std::int32_t NumEntradasTools() const { return static_cast<std::int32_t>(mnuanal.size()); }
    [[nodiscard]] QAction* EntradaTool(std::int32_t i) const; // 1-based; null outside
    // Program paths of the entries, rebuilt when the Análisis menu opens.
    std::vector<QString> RutasTools;

    QMenuBar* BarraMenu{};
    QMenu* mnuFicheros{};
    QAction* mnuAbrirComtrade{};
    QAction* mnuCerrarComtrade{};
    QAction* mnuPlantilla{};
    QMenu* mnuTools{};
    QAction* mnuAnadirTool{};
    QAction* mnuBorrartool{};
    QAction* mnuDir_defecto{};
    QAction* mnutraducirCOMTRADE{};
    QMenu* mnuIdioma{};
    QAction* mnuEspanol{};
    QAction* mnuIngles{};
    QAction* mnuSalir{};
    QMenu* mnuOndas{};
    QAction* mnuCanalog{};
    QAction* mnuCompanalog{};
    QAction* mnuFasores{};
    QAction* mnuInform{};
    QMenu* mnuDigital{};
    QAction* mnuDigGrupos{};
    QAction* mnuCompdig{};
    QMenu* mnuanalisis{};

    QLabel* Image1{};
    QLabel* Label1{};
    QLabel* Lblversion{};
    QFrame* Line1{};

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CrearMenus();
    void ColocarPresentacion();
    std::vector<QAction*> mnuanal; // [i - 1] is entry i
};

// The loaded menu form, or null.
[[nodiscard]] FrmMenu* MenuForm();

// mnuFasores and mnuInform enabled (a template has been applied); nothing
// when the menu form is not loaded.
void HabilitarFasoresInforme();
// And disabled again by whatever clears the applied template (a record
// opened in place of another, the close command): they are never enabled
// with no template.
void DeshabilitarFasoresInforme();

// Splash geometry in twips, from the client size, the picture's size and
// the heights of the title and version labels: the block is centred.
struct DisposicionPresentacion {
    std::int32_t ImagenLeft{0}, ImagenTop{0};
    std::int32_t EtiquetaLeft{0}, EtiquetaTop{0}, EtiquetaWidth{0};
    std::int32_t VersionLeft{0}, VersionTop{0}, VersionWidth{0};
    std::int32_t LineaLeft{0}, LineaTop{0}, LineaWidth{0};
};
[[nodiscard]] DisposicionPresentacion CalcularPresentacion(std::int32_t anchoCliente,
                                                           std::int32_t altoCliente, std::int32_t anchoImagen,
                                                           std::int32_t altoImagen, std::int32_t altoTitulo,
                                                           std::int32_t altoVersion);

} // namespace vesdra
