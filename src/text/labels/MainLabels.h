// Labels of the main window: menu captions, caption and status bar texts, in English and
// Chinese. The toolbar tooltips and the tree node texts are taken from the menu captions.
#pragma once

#include "text/TextTable.h"

namespace zx::text::labels::main {

// Menu titles.
inline constexpr TextTable mnuFile{"&File", "文件(&F)"};
inline constexpr TextTable mnuModel{"&Model", "机型(&M)"};
inline constexpr TextTable MnuBand{"&Band", "频段(&B)"};
inline constexpr TextTable mnuEdit{"&Edit", "编辑(&E)"};
inline constexpr TextTable mnuProgram{"&Program", "写频(&P)"};
inline constexpr TextTable mnuSet{"&Setup", "设置(&S)"};
inline constexpr TextTable mnuView{"&View", "查看(&V)"};
inline constexpr TextTable mnuWindow{"&Window", "窗口(&W)"};
inline constexpr TextTable mnuHelp{"&Help", "帮助(&H)"};

// File menu.
inline constexpr TextTable mnuFileNew{"&New", "新建(&N)"};
inline constexpr TextTable mnuFileOpen{"&Open", "打开(&O)"};
inline constexpr TextTable mnuFileSave{"&Save", "保存(&S)"};
inline constexpr TextTable mnuFileSaveAs{"Save &As", "另存为(&A)"};
inline constexpr TextTable mnuFilePrint{"&Print", "打印(&P)"};
inline constexpr TextTable mnuFileExit{"E&xit", "退出(&X)"};

// Model menu.
inline constexpr TextTable mnuModelInfo{"&Model Information", "机型信息(&M)"};

// Band menu.
inline constexpr TextTable MnuCheckRadioBand{"Check Radio &Band", "检查对讲机频段(&B)"};
inline constexpr TextTable MnuFrequencyCheck{"Check All Channel &Frequency",
                                             "检查所有信道频率(&F)"};

// Edit menu. Undo and Redo stand at its top; while a step can be taken, its name follows
// (labels/EditingLabels.h).
inline constexpr TextTable mnuEditUndo{"&Undo", "撤销(&U)"};
inline constexpr TextTable mnuEditRedo{"&Redo", "重做(&R)"};
inline constexpr TextTable mnuChannelInfo{"&Channel Information", "信道信息(&C)"};
inline constexpr TextTable mnuOptFeature{"&Option Features", "可选功能(&O)"};
inline constexpr TextTable mnuKeyAssignm{"&Key Assignment", "按键设置(&K)"};
inline constexpr TextTable mnuScanInfo{"&Scan Information", "扫描信息(&S)"};
inline constexpr TextTable mnuEmbeddedMsg{"Local &Information", "本机信息(&I)"};
inline constexpr TextTable mnuEMG{"Embedded &Message", "嵌入信息(&M)"};

// Program menu.
inline constexpr TextTable mnuReadFromRadio{"&Read from Radio", "从对讲机读取(&R)"};
inline constexpr TextTable mnuWriteToRadio{"&Write to Radio", "写入对讲机(&W)"};

// Setup menu.
inline constexpr TextTable mnuComm{"&Communication Port", "通信端口(&C)"};
inline constexpr TextTable mnuLanguage{"&Language Setup", "语言设置(&L)"};
inline constexpr TextTable MnuInitial{"&Initial Setting", "初始设置(&I)"};
inline constexpr TextTable MnuInitialBand1{"Band1", "频段1"};
inline constexpr TextTable MnuInitialBand2{"Band2", "频段2"};

// View menu.
inline constexpr TextTable mnuTreeView{"Tree &View", "树形视图(&V)"};
// The tree panel's close button and its splitter, as a screen reader names them.
inline constexpr TextTable kTreeClose{"Close Tree View", "关闭树形视图"};
inline constexpr TextTable kTreeSplitter{"Tree View Width", "树形视图宽度"};
inline constexpr TextTable kTreeSplitterKeys{"Left and Right change the width",
                                             "左右方向键改变宽度"};
inline constexpr TextTable mnuViewToolbar{"&Toolbar", "工具栏(&T)"};
inline constexpr TextTable mnuViewStatusBar{"&Status Bar", "状态栏(&S)"};

// Window menu.
inline constexpr TextTable mnuWindowCascade{"&Cascade", "层叠(&C)"};
inline constexpr TextTable mnuCloseAll{"Close All &Windows", "关闭所有窗口(&W)"};

// Help menu.
inline constexpr TextTable mnuHelpTopic{"&Help topics", "帮助主题(&H)"};
inline constexpr TextTable mnuHelpAbout{"&About ZX_908HF", "关于 ZX_908HF(&A)"};

// Caption: model name, "[band]", "[File Name:name]".
inline constexpr TextTable fileName{"File Name", "文件名"};
// Status bar panel 3: this text followed by the port number.
inline constexpr TextTable comPort{"COM", "通信口"};

} // namespace zx::text::labels::main
