<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Caption</name>
    <message>
        <source>オニオンスキン</source>
        <translation>Onion skin</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Flip</translation>
    </message>
    <message>
        <source>濃度50%</source>
        <translation>Fade</translation>
    </message>
    <message>
        <source>黒強制</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>ルーペはみ出し</source>
        <translation>Draw outside</translation>
    </message>
    <message>
        <source>透過処理</source>
        <translation>Mask</translation>
    </message>
    <message>
        <source>偽レイヤー</source>
        <translation>Layers</translation>
    </message>
    <message>
        <source>四分割</source>
        <translation>Quads</translation>
    </message>
    <message>
        <source>選択フリー</source>
        <translation>Free pick</translation>
    </message>
    <message>
        <source>横サイズ</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>縦サイズ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>レイヤー処理設定</source>
        <translation>View layers</translation>
    </message>
    <message>
        <source>ルーペレイヤー処理設定</source>
        <translation>Loupe layers</translation>
    </message>
    <message>
        <source>無効</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>ゴミ消し</source>
        <translation>Clean</translation>
    </message>
    <message>
        <source>並べて表示</source>
        <translation>Tiled</translation>
    </message>
    <message>
        <source>2倍表示</source>
        <translation>2x</translation>
    </message>
</context>
<context>
    <name>Hint</name>
    <message>
        <source>前後のコマを色付きで薄くルーペに重ねます</source>
        <translation>Shows the neighbouring frames faintly, tinted, in the loupe</translation>
    </message>
    <message>
        <source>ルーペをずらします</source>
        <translation>Scroll the loupe (arrow keys, mouse wheel)</translation>
    </message>
    <message>
        <source>直前の作業をやり直します</source>
        <translation>Undo the last change (Ctrl+Z)</translation>
    </message>
    <message>
        <source>直前のUndoを取り消します</source>
        <translation>Redo the last undone change (Ctrl+Y)</translation>
    </message>
    <message>
        <source>ペンで描きます</source>
        <translation>Draw with the pen (P)</translation>
    </message>
    <message>
        <source>塗りつぶします</source>
        <translation>Flood fill (F)</translation>
    </message>
    <message>
        <source>四角を描きます</source>
        <translation>Draw a filled box (B)</translation>
    </message>
    <message>
        <source>円を描きます</source>
        <translation>Draw an ellipse (E)</translation>
    </message>
    <message>
        <source>線を描きます</source>
        <translation>Draw a line (L)</translation>
    </message>
    <message>
        <source>半透明合成</source>
        <translation>Blend half-transparently (M)</translation>
    </message>
    <message>
        <source>ルーペの倍率を設定します</source>
        <translation>Set the loupe's zoom (+ and -)</translation>
    </message>
    <message>
        <source>ペンのサイズを変更します</source>
        <translation>Change the pen size (1 to 5)</translation>
    </message>
    <message>
        <source>センターラインを表示します</source>
        <translation>Show the centre lines (C)</translation>
    </message>
    <message>
        <source>グリッドを表示します</source>
        <translation>Show the grid (G)</translation>
    </message>
    <message>
        <source>選択しているキャラクタを左右反転します</source>
        <translation>Mirror the selected character left to right</translation>
    </message>
    <message>
        <source>レイヤー時に下のレイヤーを透かして見ます</source>
        <translation>With layers, show the layer below at half strength</translation>
    </message>
    <message>
        <source>濃度50％を黒で行います</source>
        <translation>Do the 50% fade with black</translation>
    </message>
    <message>
        <source>ルーペからはみ出した分も描画します</source>
        <translation>Also draw what reaches past the loupe</translation>
    </message>
    <message>
        <source>キャラクターを選択します</source>
        <translation>Select a character (Shift+arrow keys)</translation>
    </message>
    <message>
        <source>コピーする時に透明色をくり抜きます</source>
        <translation>Leave out the transparent colour when copying</translation>
    </message>
    <message>
        <source>コピー用グリッドのサイズを変更します</source>
        <translation>Change the size of the copy grid</translation>
    </message>
    <message>
        <source>キャラクタのアニメーションをチェックします</source>
        <translation>Preview the character's animation</translation>
    </message>
    <message>
        <source>アニメ枚数を変更します</source>
        <translation>Change the number of animation frames</translation>
    </message>
    <message>
        <source>アニメーションスピードを変更します</source>
        <translation>Change the animation speed</translation>
    </message>
    <message>
        <source>選択しているキャラを指定した方向にシフトします</source>
        <translation>Shift the selected character in this direction</translation>
    </message>
    <message>
        <source>レイヤー機能を発動します</source>
        <translation>Turn the layers on</translation>
    </message>
    <message>
        <source>四分割レイヤーモードに移行します</source>
        <translation>Split the sheet into four layers</translation>
    </message>
    <message>
        <source>コピー時の枠の開始位置を１ドット単位で行います</source>
        <translation>Start the copy frame at any pixel</translation>
    </message>
    <message>
        <source>キャラクタのサイズを変更します</source>
        <translation>Change the character size</translation>
    </message>
    <message>
        <source>特殊表示画面</source>
        <translation>Special views</translation>
    </message>
    <message>
        <source>特殊表示画面用レイヤー設定</source>
        <translation>Layers shown in the special views</translation>
    </message>
    <message>
        <source>ルーペ用のレイヤーを設定します</source>
        <translation>Layers shown in the loupe</translation>
    </message>
    <message>
        <source>自動的にゴミを消します</source>
        <translation>Clear leftovers automatically</translation>
    </message>
    <message>
        <source>キャラクタを並べて表示します</source>
        <translation>Show the character repeated side by side</translation>
    </message>
    <message>
        <source>特殊表示用画面で２倍表示します</source>
        <translation>Show the special views at double size</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>オニオンスキン</source>
        <translation>Onion skin</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>読み込み</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>切り取り</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>パレット</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>パレット読み込み</source>
        <translation>Load Palette</translation>
    </message>
    <message>
        <source>パレット保存</source>
        <translation>Save Palette</translation>
    </message>
    <message>
        <source>ツール</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>ペンツール</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>塗りつぶし</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>塗りつぶし四角型</source>
        <translation>Filled Box</translation>
    </message>
    <message>
        <source>楕円型</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>直線</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>半透明合成</source>
        <translation>Blend</translation>
    </message>
    <message>
        <source>ペンサイズ</source>
        <translation>Pen Size</translation>
    </message>
    <message>
        <source>１ドット</source>
        <translation>1 Pixel</translation>
    </message>
    <message>
        <source>２ドット</source>
        <translation>2 Pixels</translation>
    </message>
    <message>
        <source>３ドット</source>
        <translation>3 Pixels</translation>
    </message>
    <message>
        <source>４ドット</source>
        <translation>4 Pixels</translation>
    </message>
    <message>
        <source>５ドット</source>
        <translation>5 Pixels</translation>
    </message>
    <message>
        <source>倍率</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>１倍</source>
        <translation>1x</translation>
    </message>
    <message>
        <source>２倍</source>
        <translation>2x</translation>
    </message>
    <message>
        <source>４倍</source>
        <translation>4x</translation>
    </message>
    <message>
        <source>８倍</source>
        <translation>8x</translation>
    </message>
    <message>
        <source>１６倍</source>
        <translation>16x</translation>
    </message>
    <message>
        <source>３２倍</source>
        <translation>32x</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>View</translation>
    </message>
    <message>
        <source>グリッド</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>センターライン</source>
        <translation>Centre Lines</translation>
    </message>
    <message>
        <source>外部パレット読み込み</source>
        <translation>Open Palette File...</translation>
    </message>
    <message>
        <source>外部パレット書き出し</source>
        <translation>Export Palette File...</translation>
    </message>
    <message>
        <source>色の編集</source>
        <translation>Edit Colour...</translation>
    </message>
    <message>
        <source>グラデーション作成</source>
        <translation>Ramp Between Colours</translation>
    </message>
    <message>
        <source>明るさ順に並べ替え</source>
        <translation>Sort by Lightness</translation>
    </message>
    <message>
        <source>色相順に並べ替え</source>
        <translation>Sort by Hue</translation>
    </message>
    <message>
        <source>使用数順に並べ替え</source>
        <translation>Sort by Use</translation>
    </message>
    <message>
        <source>同じ色をまとめる</source>
        <translation>Merge Duplicate Colours</translation>
    </message>
    <message>
        <source>未使用の色を後ろへ詰める</source>
        <translation>Move Unused Colours to the End</translation>
    </message>
    <message>
        <source>透明色を0番へ</source>
        <translation>Transparent Colour to Entry 0</translation>
    </message>
    <message>
        <source>未使用の色に印を付ける</source>
        <translation>Mark Unused Colours</translation>
    </message>
    <message>
        <source>透明色をPNGの透明にする</source>
        <translation>Transparent Colour as PNG Transparency</translation>
    </message>
    <message>
        <source>GIFアニメ書き出し</source>
        <translation>Export GIF Animation...</translation>
    </message>
    <message>
        <source>スプライトシート情報書き出し</source>
        <translation>Export Sprite Sheet Data...</translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>無題.bmp</source>
        <translation>Untitled.bmp</translation>
    </message>
    <message>
        <source>クリップボードに貼り付けられる絵がありません</source>
        <translation>The clipboard holds no picture to paste</translation>
    </message>
    <message>
        <source>256 x 256 を超える部分は切り捨てました</source>
        <translation>The part beyond 256 x 256 was cut off</translation>
    </message>
    <message>
        <source>横座標</source>
        <translation>X</translation>
    </message>
    <message>
        <source>縦座標</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>点描画</source>
        <translation>Dot pen</translation>
    </message>
    <message>
        <source>ペンツール</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>線描画</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>円描画</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>塗りつぶし</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>箱形塗りつぶし</source>
        <translation>Filled box</translation>
    </message>
    <message>
        <source>半透明合成</source>
        <translation>Blend</translation>
    </message>
    <message>
        <source>転送先指定</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>複写領域選択開始</source>
        <translation>Pick</translation>
    </message>
    <message>
        <source>復元用の保存に失敗しました</source>
        <translation>Could not write the recovery copy</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>読み込む絵を選択して下さい</source>
        <translation>Choose a picture to open</translation>
    </message>
    <message>
        <source>近い色に置き換える</source>
        <translation>Use the nearest colours</translation>
    </message>
    <message>
        <source>番号をそのまま使う</source>
        <translation>Keep the indices</translation>
    </message>
    <message>
        <source>パレットも取り込む</source>
        <translation>Take its palette too</translation>
    </message>
    <message>
        <source>絵に名前を付けて下さい</source>
        <translation>Name the picture</translation>
    </message>
    <message>
        <source>対応しているファイル</source>
        <translation>Supported files</translation>
    </message>
    <message>
        <source>全てのファイル</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>すべての対応ファイル</source>
        <translation>All supported files</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>色を選択して下さい</source>
        <translation>Choose a colour</translation>
    </message>
    <message>
        <source>読み込むパレットファイルを選択して下さい</source>
        <translation>Choose a palette file to open</translation>
    </message>
    <message>
        <source>パレットファイルに名前を付けて下さい</source>
        <translation>Name the palette file</translation>
    </message>
    <message>
        <source>パレットと画像</source>
        <translation>Palettes and pictures</translation>
    </message>
    <message>
        <source>パレットファイル</source>
        <translation>Palette files</translation>
    </message>
    <message>
        <source>GIMP パレット</source>
        <translation>GIMP palette</translation>
    </message>
    <message>
        <source>JASC パレット</source>
        <translation>JASC palette</translation>
    </message>
    <message>
        <source>Adobe カラーテーブル</source>
        <translation>Adobe colour table</translation>
    </message>
    <message>
        <source>16進カラーリスト</source>
        <translation>Hex colour list</translation>
    </message>
    <message>
        <source>GIFアニメの書き出し</source>
        <translation>Export GIF Animation</translation>
    </message>
    <message>
        <source>向き</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>透明色を抜く</source>
        <translation>Leave out the transparent colour</translation>
    </message>
    <message>
        <source>GIFアニメに名前を付けて下さい</source>
        <translation>Name the GIF animation</translation>
    </message>
    <message>
        <source>GIFアニメ</source>
        <translation>GIF animation</translation>
    </message>
    <message>
        <source>スプライトシート情報の書き出し</source>
        <translation>Export Sprite Sheet Data</translation>
    </message>
    <message>
        <source>アニメーションのタグ名</source>
        <translation>Name of the animation's tag</translation>
    </message>
    <message>
        <source>スプライトシート情報に名前を付けて下さい</source>
        <translation>Name the sprite sheet data</translation>
    </message>
    <message>
        <source>スプライトシート情報</source>
        <translation>Sprite sheet data</translation>
    </message>
    <message>
        <source>復元</source>
        <translation>Recover</translation>
    </message>
    <message>
        <source>破棄</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>後で</source>
        <translation>Later</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>無念、読み込めぬわ！</source>
        <translation>Alas, this picture cannot be read!</translation>
    </message>
    <message>
        <source>貼り付ける絵のパレットがこのパレットと違います。</source>
        <translation>The pasted picture's palette differs from this palette.</translation>
    </message>
    <message>
        <source>不覚！保存できんとは・・・</source>
        <translation>Blast! The picture could not be saved...</translation>
    </message>
    <message>
        <source>同名のファイルが存在します、上書きしますか？</source>
        <translation>A file of this name exists. Replace it?</translation>
    </message>
    <message>
        <source>データが変更されています、上書き保存しますか？</source>
        <translation>The picture has changed. Save it?</translation>
    </message>
    <message>
        <source>ファイル %s は開けません</source>
        <translation>Cannot open the file %s</translation>
    </message>
    <message>
        <source>ファイル %s を作成できません</source>
        <translation>Cannot create the file %s</translation>
    </message>
    <message>
        <source>%s に書き込めません</source>
        <translation>Cannot write to %s</translation>
    </message>
    <message>
        <source>認識できない画像形式です</source>
        <translation>Unknown picture format</translation>
    </message>
    <message>
        <source>ホームフォルダが分からないため、既定の設定で始め、設定とパレットは保存しません</source>
        <translation>No home folder is known, so the program starts with the defaults and saves neither the settings nor the palette.</translation>
    </message>
    <message>
        <source>不覚！パレットを書き出せんとは・・・</source>
        <translation>Blast! The palette could not be written...</translation>
    </message>
    <message>
        <source>不覚！アニメを書き出せんとは・・・</source>
        <translation>Blast! The animation could not be written...</translation>
    </message>
    <message>
        <source>スプライトシート情報は保存された絵を指します。先に絵を保存しますか？</source>
        <translation>Sprite sheet data refers to the saved picture. Save the picture first?</translation>
    </message>
    <message>
        <source>キャラクタの大きさで絵を割り切れません</source>
        <translation>The cell size does not divide the picture.</translation>
    </message>
    <message>
        <source>アニメーションのコマが絵に収まりません。選択しているキャラクタから右へアニメ枚数分のキャラクタが必要です</source>
        <translation>The animation's frames do not fit in the picture: from the selected cell, in the preview's row, it needs as many cells to the right as it has frames.</translation>
    </message>
    <message>
        <source>タグ名がありません</source>
        <translation>The tag has no name.</translation>
    </message>
    <message>
        <source>絵のファイルにスプライトシート情報は書き出せません</source>
        <translation>Sprite sheet data cannot be written over the picture's own file.</translation>
    </message>
    <message>
        <source>不覚！スプライトシート情報を書き出せんとは・・・</source>
        <translation>Blast! The sprite sheet data could not be written...</translation>
    </message>
    <message>
        <source>アニメーションがシートに収まりません。選択しているキャラクタから右へアニメ枚数分、下へ４方向分のキャラクタが必要です</source>
        <translation>The animation does not fit in the sheet: from the selected cell it needs as many cells to the right as it has frames, and four rows of cells downwards.</translation>
    </message>
    <message>
        <source>パレットファイル %s の %s 行目: %m</source>
        <translation>Palette file %s, line %s: %m</translation>
    </message>
    <message>
        <source>パレットファイル %s のオフセット %s: %m</source>
        <translation>Palette file %s, byte offset %s: %m</translation>
    </message>
    <message>
        <source>パレットファイル %s の色が 256 を超えています: 最初の 256 色を読み、残りの %s 色は省きました</source>
        <translation>Palette file %s has more than 256 colours: the first 256 were read, the other %s left out</translation>
    </message>
    <message>
        <source>パレットファイル %s: %m</source>
        <translation>Palette file %s: %m</translation>
    </message>
    <message>
        <source>最初の行が &quot;GIMP Palette&quot; ではありません</source>
        <translation>the first line is not &quot;GIMP Palette&quot;</translation>
    </message>
    <message>
        <source>最初の行が &quot;JASC-PAL&quot; ではありません</source>
        <translation>the first line is not &quot;JASC-PAL&quot;</translation>
    </message>
    <message>
        <source>版 &quot;0100&quot; がありません</source>
        <translation>the version &quot;0100&quot; is missing</translation>
    </message>
    <message>
        <source>版が &quot;0100&quot; ではありません</source>
        <translation>the version is not &quot;0100&quot;</translation>
    </message>
    <message>
        <source>色の数がありません</source>
        <translation>the number of colours is missing</translation>
    </message>
    <message>
        <source>色の数 &quot;%s&quot; が 1〜65536 の数ではありません</source>
        <translation>the number of colours &quot;%s&quot; is no number from 1 to 65536</translation>
    </message>
    <message>
        <source>色の数 %s が 1〜256 ではありません</source>
        <translation>the number of colours %s is not 1 to 256</translation>
    </message>
    <message>
        <source>色の数 %s に対して色が %s しかありません</source>
        <translation>%s colours are announced, but only %s follow</translation>
    </message>
    <message>
        <source>色の数 %s より多くの行があります</source>
        <translation>more lines than the %s colours announced</translation>
    </message>
    <message>
        <source>色の行に赤・緑・青とアルファのほかの値があります</source>
        <translation>the colour line holds more than red, green, blue and alpha</translation>
    </message>
    <message>
        <source>赤・緑・青の三つの値 (0〜255) が必要です</source>
        <translation>three values for red, green and blue (0 to 255) are needed</translation>
    </message>
    <message>
        <source>赤・緑・青とアルファの四つの値 (0〜255) が必要です</source>
        <translation>four values for red, green, blue and alpha (0 to 255) are needed</translation>
    </message>
    <message>
        <source>チャンネル &quot;%s&quot; は RGB でも RGBA でもありません</source>
        <translation>the channels &quot;%s&quot; are neither RGB nor RGBA</translation>
    </message>
    <message>
        <source>色の値 %s が 0〜255 の範囲にありません</source>
        <translation>the colour value %s is not within 0 to 255</translation>
    </message>
    <message>
        <source>&quot;%s&quot; は 0〜255 の数ではありません</source>
        <translation>&quot;%s&quot; is no number from 0 to 255</translation>
    </message>
    <message>
        <source>&quot;%s&quot; は RRGGBB の形の色ではありません</source>
        <translation>&quot;%s&quot; is no colour of the form RRGGBB</translation>
    </message>
    <message>
        <source>色が 256 を超えています</source>
        <translation>more than 256 colours</translation>
    </message>
    <message>
        <source>色が一つもありません</source>
        <translation>no colours at all</translation>
    </message>
    <message>
        <source>RIFF パレットの見出しがありません</source>
        <translation>no RIFF palette header</translation>
    </message>
    <message>
        <source>RIFF の大きさ %s がファイルの残りを超えています</source>
        <translation>the RIFF size %s runs past the end of the file</translation>
    </message>
    <message>
        <source>チャンクが途中で切れています</source>
        <translation>a chunk is cut short</translation>
    </message>
    <message>
        <source>RIFF パレットに data チャンクがありません</source>
        <translation>the RIFF palette has no data chunk</translation>
    </message>
    <message>
        <source>data チャンクが短すぎます</source>
        <translation>the data chunk is too short</translation>
    </message>
    <message>
        <source>data チャンクに %s 色が収まっていません</source>
        <translation>the data chunk does not hold %s colours</translation>
    </message>
    <message>
        <source>Adobe カラーテーブルの大きさは 768 か 772 バイトです (%s バイト)</source>
        <translation>an Adobe colour table has 768 or 772 bytes (not %s)</translation>
    </message>
    <message>
        <source>パレットファイルの大きさは 1024 バイトです (%s バイト)</source>
        <translation>the palette file has 1024 bytes (not %s)</translation>
    </message>
    <message>
        <source>パレットファイルとしても画像としても読めない形式です</source>
        <translation>neither a palette file nor a picture that can be read</translation>
    </message>
    <message>
        <source>256 色を超えるフルカラー画像にはパレットがありません (先に 256 色に減色してください)</source>
        <translation>a full-colour picture of more than 256 colours has no palette (reduce it to 256 colours first)</translation>
    </message>
    <message>
        <source>色を読み取れない画素の形式です</source>
        <translation>a pixel format whose colours cannot be read</translation>
    </message>
    <message>
        <source>書き出せるパレットの形式は拡張子 %s のものです</source>
        <translation>palettes can be written with the extensions %s</translation>
    </message>
    <message>
        <source>前回、保存されなかった編集内容があります（%s）。復元しますか？</source>
        <translation>Changes that were not saved last time were found (%s). Recover them?</translation>
    </message>
</context>
</TS>
