<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>Sparkplume</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>書き出し</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>書き出しが完了しました。</source>
        <translation>The export is finished.</translation>
    </message>
    <message>
        <source>書き出しを中断しました。</source>
        <translation>The export was stopped.</translation>
    </message>
    <message>
        <source>書き出しは完了していません。作られたのは次のファイルだけです。</source>
        <translation>The export did not finish. Only these files were made:</translation>
    </message>
    <message>
        <source>ファイルは作られていません。</source>
        <translation> No file was made.</translation>
    </message>
    <message>
        <source>書き出しは終わりましたが、結果のファイルが見つかりません。</source>
        <translation>The export ended, but its result file cannot be found.</translation>
    </message>
    <message>
        <source>保存先：</source>
        <translation>Saved in: </translation>
    </message>
    <message>
        <source>（%s個のファイル）</source>
        <translation> (%s files)</translation>
    </message>
    <message>
        <source>警告: 上限に達したため一部のパーティクルを省略しました（--max-particles、--max-trail-points で変更できます）。</source>
        <translation>Warning: some particles were left out at the limit (change it with --max-particles, --max-trail-points).</translation>
    </message>
    <message>
        <source>エフェクトが使う素材「%s」を読み込めなかったため描画できません。--max-texture-memory で上限を変更できます。</source>
        <translation>Cannot draw: the material &quot;%s&quot; that the effect uses could not be loaded. Change the limit with --max-texture-memory.</translation>
    </message>
    <message>
        <source>このノードは削除できません</source>
        <translation>This node cannot be deleted</translation>
    </message>
    <message>
        <source>この名前には保存できない文字が含まれています。</source>
        <translation>This name holds characters that cannot be saved.</translation>
    </message>
    <message>
        <source>指定したファイルは読み込みません</source>
        <translation>The chosen file cannot be read</translation>
    </message>
    <message>
        <source>素材ファイルを削除できませんでした。</source>
        <translation>The material file could not be deleted.</translation>
    </message>
    <message>
        <source>素材「%s」は、画像に使えるメモリの上限を超えるため読み込めませんでした。</source>
        <translation>The material &quot;%s&quot; was not loaded: it exceeds the memory limit for pictures.</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Sparkplumeデータ(*.spd)</source>
        <translation>Sparkplume data (*.spd)</translation>
    </message>
    <message>
        <source>すべてのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>データが欠損しているため書き出しできません。
再インストールするこで治る可能性があります。</source>
        <translation>Cannot export: program data is missing.
Reinstalling may fix this.</translation>
    </message>
    <message>
        <source>フレーム画像「%s」を書き込めませんでした。</source>
        <translation>The frame picture &quot;%s&quot; could not be written.</translation>
    </message>
    <message>
        <source>「%s」を書き込めませんでした。</source>
        <translation>&quot;%s&quot; could not be written.</translation>
    </message>
    <message>
        <source>書き出し用のプログラム「%s」を起動できませんでした。</source>
        <translation>The export program &quot;%s&quot; could not be started.</translation>
    </message>
    <message>
        <source>書き出し用のプログラム「%s」が失敗しました。</source>
        <translation>The export program &quot;%s&quot; failed.</translation>
    </message>
    <message>
        <source>書き出しの設定ファイルを書き込めませんでした。</source>
        <translation>The export settings file could not be written.</translation>
    </message>
    <message>
        <source>フレーム毎の値は1以上にしてください。</source>
        <translation>The frame step must be 1 or more.</translation>
    </message>
    <message>
        <source>最初のフレームは最後のフレーム以下にしてください。</source>
        <translation>The first frame must not come after the last.</translation>
    </message>
    <message>
        <source>書き出すフレームがありません。</source>
        <translation>There are no frames to export.</translation>
    </message>
    <message>
        <source>分割数が書き出すフレーム数より多いため、並べて保存できません。</source>
        <translation>The division is larger than the number of frames, so no sheet can be made.</translation>
    </message>
    <message>
        <source>画像を読み込むことができません</source>
        <translation>Cannot load the picture</translation>
    </message>
    <message>
        <source>対応していない形式のファイルです。

対応形式：bmp,png,jpg</source>
        <translation>This file type is not supported.

Supported: bmp, png, jpg</translation>
    </message>
    <message>
        <source>同名のファイルが存在します。
上書きしてよろしいですか？</source>
        <translation>A file of this name exists.
Replace it?</translation>
    </message>
    <message>
        <source>画像ファイルを読み込めませんでした。</source>
        <translation>The picture file could not be read.</translation>
    </message>
    <message>
        <source>画像が大きすぎるため取り込めません（縦横とも8192ピクセルまで）。</source>
        <translation>The picture is too large to import (at most 8192 pixels each way).</translation>
    </message>
    <message>
        <source>ファイル名にプロジェクトファイルへ保存できない文字が含まれているため、取り込めません。</source>
        <translation>Cannot import: the file name holds characters a project file cannot store.</translation>
    </message>
    <message>
        <source>素材ファイルを書き込めませんでした。</source>
        <translation>The material file could not be written.</translation>
    </message>
    <message>
        <source>変更内容を保存しますか？</source>
        <translation>Save the changes?</translation>
    </message>
    <message>
        <source>「%s」は存在しないか、他のアプリケーションで開いているため読み込めません。</source>
        <translation>&quot;%s&quot; cannot be read: it does not exist or another program has it open.</translation>
    </message>
    <message>
        <source>ファイル読み込みエラー</source>
        <translation>File read error</translation>
    </message>
    <message>
        <source>対応していないファイルか、ファイルが壊れている可能性があります。</source>
        <translation>The file is not supported, or it may be damaged.</translation>
    </message>
    <message>
        <source>このファイルは、より新しいバージョンのSparkplumeで作成されたものです。
開くためには最新版のSparkplumeをインストールしてください。</source>
        <translation>This file was made by a newer version of Sparkplume.
Install the latest Sparkplume to open it.</translation>
    </message>
    <message>
        <source>ファイルを開くことができません</source>
        <translation>Cannot open the file</translation>
    </message>
    <message>
        <source>「%s」に保存できませんでした。</source>
        <translation>Could not save to &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>素材「%s」を読み込めないため、保存できませんでした。</source>
        <translation>Not saved: the material &quot;%s&quot; cannot be read.</translation>
    </message>
    <message>
        <source>プロジェクトファイルに保存できない文字を含む名前があるため、保存できませんでした。</source>
        <translation>Not saved: a name holds characters a project file cannot store.</translation>
    </message>
    <message>
        <source>素材を作業用フォルダに書き出せませんでした。</source>
        <translation>The materials could not be written to the work folder.</translation>
    </message>
    <message>
        <source>このシステムのファイル名には長すぎる素材の名前があったため、短くして読み込みました。</source>
        <translation>Some material names were too long for file names here and were shortened.</translation>
    </message>
    <message>
        <source>作業用フォルダを作成することができません。</source>
        <translation>The work folder cannot be created.</translation>
    </message>
    <message>
        <source>DIRECT3Dデバイスの作成に失敗しました</source>
        <translation>The graphics device could not be created</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>新規作成。</source>
        <translation>New.</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>ファイルを開く。</source>
        <translation>Open a file.</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>ファイルを保存。</source>
        <translation>Save the file.</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)</source>
        <translation>Save &amp;As</translation>
    </message>
    <message>
        <source>書き出し(&amp;W)</source>
        <translation>E&amp;xport</translation>
    </message>
    <message>
        <source>書き出し。</source>
        <translation>Export.</translation>
    </message>
    <message>
        <source>終了(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>アニメーションの設定。</source>
        <translation>Animation settings.</translation>
    </message>
    <message>
        <source>発生位置の設定。</source>
        <translation>Emission position.</translation>
    </message>
    <message>
        <source>サイズの設定。</source>
        <translation>Canvas size.</translation>
    </message>
    <message>
        <source>背景色の設定。</source>
        <translation>Background colour.</translation>
    </message>
    <message>
        <source>背景画像の設定。</source>
        <translation>Background picture.</translation>
    </message>
    <message>
        <source>拡大表示。</source>
        <translation>Zoom in.</translation>
    </message>
    <message>
        <source>縮小表示。</source>
        <translation>Zoom out.</translation>
    </message>
    <message>
        <source>設定をそのままに再構築。（ランダムな要素が無い場合は変化ありません）</source>
        <translation>Rebuild with the same settings. (Nothing changes without random elements.)</translation>
    </message>
    <message>
        <source>オンラインヘルプ(&amp;H)</source>
        <translation>Online &amp;Help</translation>
    </message>
    <message>
        <source>オンラインヘルプ。（ブラウザが起動し、インターネットに接続します）</source>
        <translation>Online help. (Opens the manual in the browser.)</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>バージョン </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>アニメーションの設定</source>
        <translation>Animation Settings</translation>
    </message>
    <message>
        <source>フレーム数</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>frames</translation>
    </message>
    <message>
        <source>プレビュー速度</source>
        <translation>Preview speed</translation>
    </message>
    <message>
        <source>ＦＰＳ</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>アニメーションにかかる時間</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>背景画像</source>
        <translation>Background Picture</translation>
    </message>
    <message>
        <source>画像ファイル</source>
        <translation>Picture file</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>拡大率</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>そのままのサイズ</source>
        <translation>Original size</translation>
    </message>
    <message>
        <source>ウィンドウに合わせる</source>
        <translation>Fit the window</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>画像ファイル(*.*)</source>
        <translation>Pictures (*.*)</translation>
    </message>
    <message>
        <source>横：</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>縦：</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>発生位置の設定</source>
        <translation>Emission Position</translation>
    </message>
    <message>
        <source>現在の位置</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>変更後の位置</source>
        <translation>New</translation>
    </message>
    <message>
        <source>レンダリング中</source>
        <translation>Rendering</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>%1／%2フレーム</source>
        <translation>%1/%2 frames</translation>
    </message>
    <message>
        <source>書き出しオプション</source>
        <translation>Export Options</translation>
    </message>
    <message>
        <source>並べて保存</source>
        <translation>Sprite sheet</translation>
    </message>
    <message>
        <source>複数ファイル</source>
        <translation>Numbered files</translation>
    </message>
    <message>
        <source>動画(.avi)</source>
        <translation>Movie (.avi)</translation>
    </message>
    <message>
        <source>背景を透明にする</source>
        <translation>Transparent background</translation>
    </message>
    <message>
        <source>範囲</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>フレーム目から</source>
        <translation>first frame</translation>
    </message>
    <message>
        <source>フレーム目まで</source>
        <translation>last frame</translation>
    </message>
    <message>
        <source>フレーム毎</source>
        <translation>frame step</translation>
    </message>
    <message>
        <source>配置</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>ファイル形式</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>
分割を%1以下にしてください。</source>
        <translation>
Use a division of %1 or less.</translation>
    </message>
    <message>
        <source>イメージ</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>縦長</source>
        <translation>Tall</translation>
    </message>
    <message>
        <source>横長</source>
        <translation>Wide</translation>
    </message>
    <message>
        <source>分割</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>幅：</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>高さ：</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>サイズの設定</source>
        <translation>Canvas Size</translation>
    </message>
    <message>
        <source>発生位置を連動させる</source>
        <translation>Move the emission point too</translation>
    </message>
    <message>
        <source>現在のサイズ</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>変更後のサイズ</source>
        <translation>New</translation>
    </message>
    <message>
        <source>&#x3000;［別のエディタが作業中のため一時フォルダで作業しています］</source>
        <translation>  [working in a temporary folder: another editor is using the work folder]</translation>
    </message>
    <message>
        <source>マニュアルが見つかりません。</source>
        <translation>The manual cannot be found.</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>再生／一時停止（Space）</source>
        <translation>Play/pause (Space)</translation>
    </message>
    <message>
        <source>一時停止中に1フレーム進めます（.）</source>
        <translation>Step one frame while paused (.)</translation>
    </message>
    <message>
        <source>ドラッグしてフレームを選びます。</source>
        <translation>Drag to choose a frame.</translation>
    </message>
    <message>
        <source>%1 / %2  パーティクル %3</source>
        <translation>%1 / %2  particles %3</translation>
    </message>
    <message>
        <source>「%1」は既に存在します。
上書きしますか？</source>
        <translation>&quot;%1&quot; already exists.
Replace it?</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>保存する場所：</source>
        <translation>Save in:</translation>
    </message>
    <message>
        <source>ファイル名：</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>ファイルの種類：</source>
        <translation>File type:</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>（誤差</source>
        <translation>(var.</translation>
    </message>
    <message>
        <source>％）</source>
        <translation>%)</translation>
    </message>
    <message>
        <source>親ノードの影響</source>
        <translation>Follow parent</translation>
    </message>
    <message>
        <source>一方向</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>パーティクルを１方向に発生させたい場合はここにチェックを入れます。</source>
        <translation>Check this to emit the particles in one direction.</translation>
    </message>
    <message>
        <source>放射状</source>
        <translation>Radial</translation>
    </message>
    <message>
        <source>パーティクルを放射状に発生させたい場合（爆発系）はここにチェックを入れます。</source>
        <translation>Check this to emit the particles in all directions (explosions).</translation>
    </message>
    <message>
        <source>集束</source>
        <translation>Sink</translation>
    </message>
    <message>
        <source>外側から中央に集まってくるエフェクトを作る場合はここにチェックを入れます。</source>
        <translation>Check this for an effect that gathers from outside to the centre.</translation>
    </message>
    <message>
        <source>等間隔</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>チェックを入れると等間隔に、チェックを入れないとランダムな方向にパーティクルが発生します。</source>
        <translation>Checked, the particles leave at even angles; unchecked, in random directions.</translation>
    </message>
    <message>
        <source>±</source>
        <translation>±</translation>
    </message>
    <message>
        <source>度</source>
        <translation>deg</translation>
    </message>
    <message>
        <source>パーティクルが発生する方向をランダムに変化させます。±180度以上にすると、放射状と同じ結果になります。</source>
        <translation>Varies the emission direction at random. ±180 degrees or more gives the same as radial.</translation>
    </message>
    <message>
        <source>チェックを入れると、親のパーティクルの傾きに合わせて発生方向が傾きます。</source>
        <translation>Checked, the emission direction turns with the parent particle.</translation>
    </message>
    <message>
        <source>％</source>
        <translation>%</translation>
    </message>
    <message>
        <source>パーティクルの発生位置をばらつかせます。100%にすると、プロジェクトのサイズと同じ範囲にばらつきます。</source>
        <translation>Scatters the emission position. At 100% it spreads over the whole canvas.</translation>
    </message>
    <message>
        <source>～</source>
        <translation>to</translation>
    </message>
    <message>
        <source>パーティクルが発生し始めるフレーム数を指定します。1にすると最初からパーティクルが発生します。</source>
        <translation>The frame at which emission starts. At 1 particles appear from the start.</translation>
    </message>
    <message>
        <source>ﾌﾚｰﾑ </source>
        <translation>frames</translation>
    </message>
    <message>
        <source>パーティクルが発生しなくなるフレーム数を指定します。パーティクルを1個だけ出したい場合は1にします。</source>
        <translation>The frame at which emission stops. Set 1 to emit a single burst.</translation>
    </message>
    <message>
        <source>フレームおき</source>
        <translation>frame gap</translation>
    </message>
    <message>
        <source>パーティクルが発生するタイミングを指定します。1にすると、間隔を空けずにパーティクルが発生します。</source>
        <translation>How often particles are emitted. At 1 they are emitted every frame.</translation>
    </message>
    <message>
        <source>パーティクルが発生するタイミングをばらつかせます。100%にすると、指定した値の0～2倍になります。</source>
        <translation>Varies the emission timing. At 100% it ranges from 0 to 2 times the value.</translation>
    </message>
    <message>
        <source>個ずつ発生</source>
        <translation>each time</translation>
    </message>
    <message>
        <source>一度に発生するパーティクルの数を指定します。0にするとパーティクルは発生しません。</source>
        <translation>The number of particles emitted at once. At 0 none are emitted.</translation>
    </message>
    <message>
        <source>パーティクルが発生する数をばらつかせます。100%にすると、指定した値の0～2倍になります。</source>
        <translation>Varies the number emitted. At 100% it ranges from 0 to 2 times the value.</translation>
    </message>
    <message>
        <source>パーティクルが消滅するまでのフレーム数を指定します。</source>
        <translation>The number of frames a particle lives.</translation>
    </message>
    <message>
        <source>パーティクルが消滅するまでの時間をばらつかせます。100%にすると、指定した値の0～2倍になります。</source>
        <translation>Varies the lifetime. At 100% it ranges from 0 to 2 times the value.</translation>
    </message>
    <message>
        <source>発生タイプ</source>
        <translation>Emission type</translation>
    </message>
    <message>
        <source>発射方向</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>発生位置誤差</source>
        <translation>Position variation</translation>
    </message>
    <message>
        <source>発生期間</source>
        <translation>Emission period</translation>
    </message>
    <message>
        <source>発生量</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>寿命</source>
        <translation>Life</translation>
    </message>
    <message>
        <source>パーティクルに使用する画像を選択します。あらかじめ画像をマテリアルウィンドウに読み込んでおく必要があります。</source>
        <translation>The particle&apos;s picture. Import pictures into the material panel first.</translation>
    </message>
    <message>
        <source>通常合成</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>半透明のパーティクル同士が重なった時の表現を自然な色にします。</source>
        <translation>Overlapping translucent particles mix to natural colours.</translation>
    </message>
    <message>
        <source>加算合成</source>
        <translation>Additive</translation>
    </message>
    <message>
        <source>半透明のパーティクル同士が重なった時に明るく表現します。背景色が変わると色が変わるので注意してください。</source>
        <translation>Overlapping translucent particles get brighter. Colours change with the background colour.</translation>
    </message>
    <message>
        <source>固定&#x3000;</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>パーティクルの向きを固定します。</source>
        <translation>The particle keeps its orientation.</translation>
    </message>
    <message>
        <source>移動方向</source>
        <translation>Travel</translation>
    </message>
    <message>
        <source>パーティクルが移動方向を向きます。使用する画像は左に進む向きで用意してください。</source>
        <translation>The particle faces where it travels. Draw the picture facing left.</translation>
    </message>
    <message>
        <source>ランダム</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>テクスチャの向きがランダムになります。</source>
        <translation>The picture faces a random way.</translation>
    </message>
    <message>
        <source>しっぽに使う画像を指定します。</source>
        <translation>The picture of the trail.</translation>
    </message>
    <message>
        <source>しっぽの長さを指定します。</source>
        <translation>The length of the trail.</translation>
    </message>
    <message>
        <source>画像</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>向き</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>軌跡</source>
        <translation>Trail</translation>
    </message>
    <message>
        <source>パーティクルの移動速度を表すグラフです。上が速く、下が遅くなり、横軸は時間を表します。左クリックでポイント追加、右クリックでポイント削除ができます。</source>
        <translation>Speed over the life: up is fast, down slow. Left-click adds a point, right-click deletes one.</translation>
    </message>
    <message>
        <source> ﾄﾞｯﾄ／ﾌﾚｰﾑ</source>
        <translation> dots/frame</translation>
    </message>
    <message>
        <source>パーティクルの速度を設定します。グラフが1番上に来た時の速度となります。</source>
        <translation>The speed at the top of the graph.</translation>
    </message>
    <message>
        <source>パーティクルの速度をばらつかせます。100%にすると、指定した値の0～2倍になります。</source>
        <translation>Varies the speed. At 100% it ranges from 0 to 2 times the value.</translation>
    </message>
    <message>
        <source>パーティクルに重力をかけます。マイナスの値を設定すれば上昇します。</source>
        <translation>Gravity on the particles. A negative value makes them rise.</translation>
    </message>
    <message>
        <source>スピード変化</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>最大速度</source>
        <translation>Maximum speed</translation>
    </message>
    <message>
        <source>重力</source>
        <translation>Gravity</translation>
    </message>
    <message>
        <source>画像の赤の成分の強弱を表すグラフです。画像の本来の色以上に赤くすることはできません。</source>
        <translation>Red of the picture over the life; never redder than the picture itself.</translation>
    </message>
    <message>
        <source>画像の緑の成分の強弱を表すグラフです。画像の本来の色以上に緑にすることはできません。&#x3000;</source>
        <translation>Green of the picture over the life; never greener than the picture itself.</translation>
    </message>
    <message>
        <source>画像の青の成分の強弱を表すグラフです。画像の本来の色以上に青くすることはできません。</source>
        <translation>Blue of the picture over the life; never bluer than the picture itself.</translation>
    </message>
    <message>
        <source>パーティクルの明るさをばらつかせます。100%にすると、黒～白になります。</source>
        <translation>Varies the brightness. At 100% it ranges from black to white.</translation>
    </message>
    <message>
        <source>画像のアルファ値（透明度）を表すグラフです。上が通常、下が透明になります。</source>
        <translation>Alpha (opacity) over the life: up is opaque, down transparent.</translation>
    </message>
    <message>
        <source>チェックを入れると、親のパーティクルが半透明だった場合は子のパーティクルも半透明になります。</source>
        <translation>Checked, children of a translucent parent particle are translucent too.</translation>
    </message>
    <message>
        <source>色（ＲＧＢ）</source>
        <translation>Colour (RGB)</translation>
    </message>
    <message>
        <source>明るさ誤差</source>
        <translation>Brightness variation</translation>
    </message>
    <message>
        <source>不透明度</source>
        <translation>Opacity</translation>
    </message>
    <message>
        <source>パーティクルのサイズを表すグラフです。上が大きく、下が小さくなり、横軸は時間を表します。左クリックでポイント追加、右クリックでポイント削除ができます。</source>
        <translation>Size over the life: up is large, down small. Left-click adds a point, right-click deletes one.</translation>
    </message>
    <message>
        <source>ドット</source>
        <translation>dots</translation>
    </message>
    <message>
        <source>パーティクルのサイズを設定します。グラフが1番上に来た時のサイズとなります。</source>
        <translation>The size at the top of the graph.</translation>
    </message>
    <message>
        <source>パーティクルのサイズをばらつかせます。100%にすると、指定した値の0～2倍になります。</source>
        <translation>Varies the size. At 100% it ranges from 0 to 2 times the value.</translation>
    </message>
    <message>
        <source>チェックを入れると、親のパーティクルのサイズに合わせて子のパーティクルのサイズが変化します。</source>
        <translation>Checked, the size follows the size of the parent particle.</translation>
    </message>
    <message>
        <source>縦横比を固定</source>
        <translation>Keep aspect</translation>
    </message>
    <message>
        <source>チェックを入れると、パーティクルの高さが最大サイズと同じになります。高さを別に指定したい場合はチェックを外します。</source>
        <translation>Checked, the height equals the maximum size. Uncheck to set the height apart.</translation>
    </message>
    <message>
        <source>パーティクルの高さ（幅）指定します。グラフが1番上に来た時のサイズとなります。</source>
        <translation>The height (thickness) at the top of the graph.</translation>
    </message>
    <message>
        <source>拡大率変化</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>最大サイズ</source>
        <translation>Maximum size</translation>
    </message>
    <message>
        <source>高さ（太さ）</source>
        <translation>Height (thickness)</translation>
    </message>
    <message>
        <source>パーティクルの回転角度を表すグラフです。上が大きく、下が小さくなり、横軸は時間を表します。左クリックでポイント追加、右クリックでポイント削除ができます。</source>
        <translation>Rotation over the life: up is large, down small. Left-click adds a point, right-click deletes one.</translation>
    </message>
    <message>
        <source>パーティクルの回転角度を設定します。グラフが1番上に来た時の角度となります。</source>
        <translation>The angle at the top of the graph.</translation>
    </message>
    <message>
        <source>パーティクルの回転角度をばらつかせます。100%にすると、指定した値の0～2倍になります。</source>
        <translation>Varies the angle. At 100% it ranges from 0 to 2 times the value.</translation>
    </message>
    <message>
        <source>時計回り</source>
        <translation>Clockwise</translation>
    </message>
    <message>
        <source>チェックを入れると、パーティクルは時計回りに回転します。</source>
        <translation>Checked, the particles turn clockwise.</translation>
    </message>
    <message>
        <source>反時計回り</source>
        <translation>Anticlockwise</translation>
    </message>
    <message>
        <source>チェックを入れると、パーティクルは反時計回りに回転します。</source>
        <translation>Checked, the particles turn anticlockwise.</translation>
    </message>
    <message>
        <source>チェックを入れると、パーティクルの回転する向きはランダムになります。</source>
        <translation>Checked, each particle turns a random way.</translation>
    </message>
    <message>
        <source>回転角度</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>最大角度</source>
        <translation>Maximum angle</translation>
    </message>
    <message>
        <source>回転方向</source>
        <translation>Spin</translation>
    </message>
    <message>
        <source> 発生方法</source>
        <translation>Emission</translation>
    </message>
    <message>
        <source>テクスチャ</source>
        <translation>Texture</translation>
    </message>
    <message>
        <source> &#x3000;移動</source>
        <translation>Motion</translation>
    </message>
    <message>
        <source>  カラー</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>  サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>   回転</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>【ヘルプバー】マウスカーソルの位置にある項目の説明を表示します。</source>
        <translation>[Help bar] Explains the item under the mouse.</translation>
    </message>
    <message>
        <source>【プレビューウィンドウ】作成中のエフェクトが表示されます。</source>
        <translation>[Preview] Shows the effect being made.</translation>
    </message>
    <message>
        <source>【ノードパネル】各ノード（パーティクルの設定）の親子関係を表示します。</source>
        <translation>[Node panel] The tree of nodes (particle settings).</translation>
    </message>
    <message>
        <source>【マテリアルパネル】取り込んだ画像ファイルの一覧を表示します。ドラッグ＆ドロップで追加可能です。</source>
        <translation>[Material panel] The imported pictures. Drop files here to add them.</translation>
    </message>
    <message>
        <source>パーティクルの移動方向を指定します。マウスドラッグで編集してください。（SHIFT+ドラッグで45°単位）</source>
        <translation>The direction of travel. Drag to edit. (SHIFT+drag: steps of 45°)</translation>
    </message>
    <message>
        <source>パーティクルの広がり方を指定します。マウスドラッグで編集してください。（ダブルクリックでリセット、SHIFT+ドラッグで真円）</source>
        <translation>How the particles spread. Drag to edit. (Double-click: reset; SHIFT+drag: circle)</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>使用する画像ファイルを追加します。&#x3000;</source>
        <translation>Add a picture file.</translation>
    </message>
    <message>
        <source>使用しない画像ファイルを削除します。</source>
        <translation>Remove a picture that is not used.</translation>
    </message>
    <message>
        <source>マテリアルパネル</source>
        <translation>Materials</translation>
    </message>
    <message>
        <source>新しいノード（パーティクルの設定）を追加します。</source>
        <translation>Add a new node (particle setting).</translation>
    </message>
    <message>
        <source>新しい子ノード（パーティクルの設定）を追加します。</source>
        <translation>Add a new child node (particle setting).</translation>
    </message>
    <message>
        <source>選択中のノードを複製します。</source>
        <translation>Duplicate the selected node.</translation>
    </message>
    <message>
        <source>選択中のノード（パーティクルの設定）を削除します。最後の一つは削除できません。</source>
        <translation>Delete the selected node. The last one cannot be deleted.</translation>
    </message>
    <message>
        <source>選択中のノード（パーティクルの設定）を一つ下に下げます。下にあるものが奥に、上にあるものが手前に表示されます。</source>
        <translation>Move the selected node down. Lower nodes are drawn behind upper ones.</translation>
    </message>
    <message>
        <source>選択中のノード（パーティクルの設定）を一つ上に上げます。下にあるものが奥に、上にあるものが手前に表示されます。&#x3000;</source>
        <translation>Move the selected node up. Lower nodes are drawn behind upper ones.</translation>
    </message>
    <message>
        <source>選択中のノード（パーティクルの設定）の階層を下げ、一つ上のノードの子にします。上にノードが無ければ変更できません。</source>
        <translation>Make the selected node a child of the node above it (needs a node above).</translation>
    </message>
    <message>
        <source>選択中のノード（パーティクルの設定）の階層を一つ上げます。最上位のノードは変更できません。</source>
        <translation>Move the selected node up one level. Top-level nodes cannot move up.</translation>
    </message>
    <message>
        <source>ノードパネル</source>
        <translation>Nodes</translation>
    </message>
    <message>
        <source>不明なコマンドまたはオプションです: </source>
        <translation>Unknown command or option: </translation>
    </message>
    <message>
        <source>1.5.0&#x3000;βテスト版</source>
        <translation>1.5.0 beta</translation>
    </message>
    <message>
        <source>無題.spd</source>
        <translation>Untitled.spd</translation>
    </message>
    <message>
        <source>GIFアニメ(.gif)</source>
        <translation>Animated GIF (.gif)</translation>
    </message>
    <message>
        <source>APNGアニメ(.png)</source>
        <translation>Animated PNG (.png)</translation>
    </message>
    <message>
        <source>WebPアニメ(.webp)</source>
        <translation>Animated WebP (.webp)</translation>
    </message>
    <message>
        <source>切り取らない</source>
        <translation>No trimming</translation>
    </message>
    <message>
        <source>全フレーム共通の範囲で切り取る</source>
        <translation>Trim to all frames&apos; bounds</translation>
    </message>
    <message>
        <source>フレームごとに切り取って詰める</source>
        <translation>Trim each frame and pack</translation>
    </message>
    <message>
        <source>幅と高さを2のべき乗にする</source>
        <translation>Power-of-two width and height</translation>
    </message>
    <message>
        <source>ハッシュ (hash)</source>
        <translation>Hash</translation>
    </message>
    <message>
        <source>配列 (array)</source>
        <translation>Array</translation>
    </message>
    <message>
        <source>ストレート</source>
        <translation>Straight</translation>
    </message>
    <message>
        <source>乗算済み (premultiplied)</source>
        <translation>Premultiplied</translation>
    </message>
    <message>
        <source>シートの詳細</source>
        <translation>Sheet details</translation>
    </message>
    <message>
        <source>余白の切り取り</source>
        <translation>Trim</translation>
    </message>
    <message>
        <source>セルの隙間</source>
        <translation>Padding</translation>
    </message>
    <message>
        <source>ピクセル</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source>縁の複製</source>
        <translation>Extrude</translation>
    </message>
    <message>
        <source>アルファ</source>
        <translation>Alpha</translation>
    </message>
    <message>
        <source>劣化なし</source>
        <translation>Lossless</translation>
    </message>
    <message>
        <source>WebPの画質</source>
        <translation>WebP quality</translation>
    </message>
    <message>
        <source>使い方: sparkplume [プロジェクトファイル]
       sparkplume &lt;コマンド&gt; [オプション]

コマンドを付けずに起動するとエディタが開きます（プロジェクトファイルを指定すると、
新しいプロジェクトの後にそれを開きます）。

コマンド:
  trace FILE [--frames N] [--particles]
            プロジェクトファイルを開き、書き出しと同じように先頭から
            N フレーム（既定はループの長さ）シミュレーションして、フレームごとに
            「frame &lt;フレーム&gt; live &lt;パーティクル数&gt;」を表示します。
            --particles を付けると、続けて生きているパーティクルを一つずつ
            「p &lt;ノード番号&gt; &lt;x&gt; &lt;y&gt; &lt;経過フレーム&gt; &lt;寿命&gt;」の形で表示します
            （ノード番号は上から数えて1から、子ノードは親の直後）。
            開けないファイルは終了コード 2、使い方の誤りは 1 を返します。
  render FILE --frame N --out OUT.png [--transparent]
            プロジェクトファイルを開き、書き出しと同じように先頭から N フレーム目まで
            シミュレーションして、そのフレームを書き出しと同じ方法で描画し、
            キャンバスの大きさの画像（PNG、拡張子により BMP・JPEG）に保存します。
            --transparent で背景を透明にします。終了コードは trace と同じです。
  export FILE --out RESULT [--layout sheet|files|movie|gif|apng|webp] [--type png|bmp|jpeg]
         [--start N] [--end N] [--step N] [--transparent | --opaque]
         [--columns N] [--division N] [--trim none|shared|each] [--padding N]
         [--extrude N] [--power-of-two] [--max-size N] [--json hash|array]
         [--alpha straight|premultiplied] [--quality N]
            プロジェクトファイルを開き、エディタの書き出しと同じ方法でフレームを描画して、
            スプライトシート（sheet、既定）、連番ファイル（files）、動画（movie）を
            RESULT の名前で作ります。既定は 1 フレーム目から最後まで、1 フレーム毎、PNG、
            背景は透明、分割 1、横のマス数は書き出しダイアログを開いたときの値です。
            作ったファイルを表示し、すべて書き込めたときだけ終了コード 0 を返します。
            オプションの説明と例は sparkplume export --help で表示します。
  demo      デモ用のエフェクトを1ループ分シミュレーションし、フレームごとに
            ノードごとのパーティクル数を表示します。
  --help    この説明を表示します。

共通オプション:
  --max-particles N      同時に存在できるパーティクル数の上限（既定 1000000）
  --max-trail-points N   軌跡の点の総数の上限（既定 20000000）
  --max-texture-memory N 画像に使うメモリの上限（MiB、既定 1024）
  --threads N            フレームを描くスレッド数（既定は CPU のコア数、1 で一つだけ）
  --lang ja|en           表示言語（既定は LANG などのロケールによる）
</source>
        <translation>Usage: sparkplume [PROJECT FILE]
       sparkplume &lt;command&gt; [options]

Without a command the editor opens (given a project file, it opens that after
the new project).

Commands:
  trace FILE [--frames N] [--particles]
            Opens the project file, simulates N frames from the start as the
            export does (default: the loop&apos;s length) and prints
            &quot;frame &lt;frame&gt; live &lt;particles&gt;&quot; for every frame.
            With --particles each live particle follows on its own line as
            &quot;p &lt;node number&gt; &lt;x&gt; &lt;y&gt; &lt;age&gt; &lt;lifetime&gt;&quot;
            (nodes numbered from 1 from the top, children right after their parent).
            Exit code 2 for a file that cannot be opened, 1 for a usage mistake.
  render FILE --frame N --out OUT.png [--transparent]
            Opens the project file, simulates up to frame N from the start as the
            export does, draws that frame as the export does and saves it as a
            canvas-sized picture (PNG; BMP or JPEG by the extension).
            --transparent makes the background transparent. Exit codes as for trace.
  export FILE --out RESULT [--layout sheet|files|movie|gif|apng|webp] [--type png|bmp|jpeg]
         [--start N] [--end N] [--step N] [--transparent | --opaque]
         [--columns N] [--division N] [--trim none|shared|each] [--padding N]
         [--extrude N] [--power-of-two] [--max-size N] [--json hash|array]
         [--alpha straight|premultiplied] [--quality N]
            Opens the project file, draws the frames as the editor&apos;s export does and
            makes a sprite sheet (sheet, the default), numbered files (files) or a
            movie (movie) named RESULT. Defaults: from frame 1 to the last, every
            frame, PNG, transparent background, division 1, and the columns the
            export dialog opens with.
            Prints the files made; exit code 0 only when every one was written.
            sparkplume export --help explains every option with examples.
  demo      Simulates one loop of a demo effect and prints the particles of
            every node for every frame.
  --help    Shows this text.

Common options:
  --max-particles N      limit of particles alive at once (default 1000000)
  --max-trail-points N   limit of trail points in all (default 20000000)
  --max-texture-memory N memory for pictures (MiB, default 1024)
  --threads N            threads that draw a frame (default: one per core; 1 for one)
  --lang ja|en           language (default: by the locale, e.g. LANG)
</translation>
    </message>
    <message>
        <source>%1 には%2以上の整数を指定してください。</source>
        <translation>%1 needs a whole number of %2 or more.</translation>
    </message>
    <message>
        <source>%1 には整数を指定してください。</source>
        <translation>%1 needs a whole number.</translation>
    </message>
    <message>
        <source>%1 を指定してください。</source>
        <translation>%1 is missing.</translation>
    </message>
    <message>
        <source>不明なオプションです: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>ファイルは一つだけ指定してください。</source>
        <translation>Give only one file.</translation>
    </message>
    <message>
        <source>ファイルを指定してください。</source>
        <translation>Give a project file.</translation>
    </message>
    <message>
        <source>パスに制御文字（改行など）は使えません。</source>
        <translation>A path cannot hold control characters (line breaks and the like).</translation>
    </message>
    <message>
        <source>上限に達したため一部のパーティクルを省略しました。</source>
        <translation>Some particles were left out at the limit.</translation>
    </message>
    <message>
        <source>使い方: sparkplume export FILE --out RESULT [--layout sheet|files|movie|gif|apng|webp]
         [--type png|bmp|jpeg] [--quality N]
         [--start N] [--end N] [--step N] [--transparent | --opaque] [--columns N] [--division N]
         [--trim none|shared|each] [--padding N] [--extrude N] [--power-of-two] [--max-size N]
         [--json hash|array] [--alpha straight|premultiplied]
  例: sparkplume export fx.spd --out fx.png --trim each --padding 2 --extrude 1 --max-size 2048
</source>
        <translation>Usage: sparkplume export FILE --out RESULT [--layout sheet|files|movie|gif|apng|webp]
         [--type png|bmp|jpeg] [--quality N]
         [--start N] [--end N] [--step N] [--transparent | --opaque] [--columns N] [--division N]
         [--trim none|shared|each] [--padding N] [--extrude N] [--power-of-two] [--max-size N]
         [--json hash|array] [--alpha straight|premultiplied]
  Example: sparkplume export fx.spd --out fx.png --trim each --padding 2 --extrude 1 --max-size 2048
</translation>
    </message>
    <message>
        <source>
シートの仕上げ (--layout sheet):
  --trim none|shared|each  透明な余白を切り取ります。none: 切り取らない (既定)、
                           shared: 全フレーム共通の範囲で切り取り、升目の大きさを揃えます、
                           each: フレームごとに切り取り、詰めて並べます。
                           JSON の trimmed・spriteSourceSize・sourceSize で元の位置に戻せます。
  --padding N              セルの間とシートの縁に N ピクセルの透明な隙間を入れます (0〜64)。
  --extrude N              セルの縁のピクセルを外側へ N ピクセル複製します (0〜64)。
  --power-of-two           シートの幅と高さを2のべき乗に切り上げます。
  --max-size N             シートの一辺の上限です (既定 4096)。超えるときは次のシートに続けます。
  --json hash|array        JSON のフレーム一覧の形です (既定 hash)。
  --alpha straight|premultiplied
                           premultiplied にすると色にアルファを掛けて保存します (既定 straight)。
例:
  sparkplume export fx.spd --out fx.png --trim shared --padding 2 --extrude 1
  sparkplume export fx.spd --out fx.png --trim each --power-of-two --max-size 2048 --json array
  sparkplume export fx.spd --out fx.png --alpha premultiplied

アニメーション画像 (--layout gif|apng|webp):
  プロジェクトのFPSでずっと繰り返す1枚の画像を作ります。背景を透明にすると透明も保ちます。
  フレームは PNG で書き出します (--type bmp、jpeg は使えません)。
  gif: 全フレーム共通の256色 (ディザリングあり)、透明は半分以上覆われたところだけ表示します。
       GIF は 1/100 秒単位のため、50 FPS を超えると一部のフレームを省きます。
  apng: 劣化のない PNG のアニメーションです。
  webp: 既定は劣化なし、--quality N (0〜100) でその画質の圧縮になります。
例:
  sparkplume export fx.spd --out fx.gif --layout gif
  sparkplume export fx.spd --out fx.webp --layout webp --quality 80
</source>
        <translation>
Sheet finishing (--layout sheet):
  --trim none|shared|each  Cuts away transparent margins. none: no trimming (default),
                           shared: to the bounds all frames share, cells keep one size,
                           each: every frame on its own, packed together.
                           The JSON&apos;s trimmed, spriteSourceSize and sourceSize restore the places.
  --padding N              N transparent pixels between the cells and at the sheet&apos;s edge (0-64).
  --extrude N              Repeats each cell&apos;s edge pixels N pixels outwards (0-64).
  --power-of-two           Rounds the sheet&apos;s width and height up to powers of two.
  --max-size N             The longest side of a sheet (default 4096); more frames go on the next.
  --json hash|array        The form of the JSON&apos;s frame list (default hash).
  --alpha straight|premultiplied
                           premultiplied stores the colours multiplied by alpha (default straight).
Examples:
  sparkplume export fx.spd --out fx.png --trim shared --padding 2 --extrude 1
  sparkplume export fx.spd --out fx.png --trim each --power-of-two --max-size 2048 --json array
  sparkplume export fx.spd --out fx.png --alpha premultiplied

Animated pictures (--layout gif|apng|webp):
  Makes one picture that loops for ever at the project&apos;s FPS; a transparent background stays so.
  The frames are written as PNG (--type bmp and jpeg cannot be used).
  gif: 256 colours shared by all frames (dithered); shows only what is at least half covered.
       GIF counts time in 1/100 s, so above 50 FPS some frames are left out.
  apng: a lossless PNG animation.
  webp: lossless by default; --quality N (0-100) compresses at that quality.
Examples:
  sparkplume export fx.spd --out fx.gif --layout gif
  sparkplume export fx.spd --out fx.webp --layout webp --quality 80
</translation>
    </message>
    <message>
        <source>--out には書き出し先を指定してください。</source>
        <translation>--out needs the file to export to.</translation>
    </message>
    <message>
        <source>--layout には sheet、files、movie、gif、apng、webp のいずれかを指定してください。</source>
        <translation>--layout needs one of sheet, files, movie, gif, apng, webp.</translation>
    </message>
    <message>
        <source>--type には png、bmp、jpeg のいずれかを指定してください。</source>
        <translation>--type needs one of png, bmp, jpeg.</translation>
    </message>
    <message>
        <source>--trim には none、shared、each のいずれかを指定してください。</source>
        <translation>--trim needs one of none, shared, each.</translation>
    </message>
    <message>
        <source>--json には hash、array のいずれかを指定してください。</source>
        <translation>--json needs one of hash, array.</translation>
    </message>
    <message>
        <source>--alpha には straight、premultiplied のいずれかを指定してください。</source>
        <translation>--alpha needs one of straight, premultiplied.</translation>
    </message>
    <message>
        <source>使い方: sparkplume render FILE --frame N --out OUT.png [--transparent]
</source>
        <translation>Usage: sparkplume render FILE --frame N --out OUT.png [--transparent]
</translation>
    </message>
    <message>
        <source>--out には書き出すファイルを指定してください。</source>
        <translation>--out needs the file to write.</translation>
    </message>
    <message>
        <source>%1 には1から%2までの整数を指定してください。</source>
        <translation>%1 needs a whole number from 1 to %2.</translation>
    </message>
    <message>
        <source>使い方: sparkplume trace FILE [--frames N] [--particles]
</source>
        <translation>Usage: sparkplume trace FILE [--frames N] [--particles]
</translation>
    </message>
    <message>
        <source>%1／%2フレーム  FPS：%3&#x3000;%4％</source>
        <translation>%1/%2 frames  FPS: %3  %4%</translation>
    </message>
    <message>
        <source>&#x3000;（上限に達したため一部のパーティクルを省略しています）</source>
        <translation>  (limit reached)</translation>
    </message>
    <message>
        <source>書き出すフレームは1から%1の範囲で指定してください。</source>
        <translation>Export frames within 1 to %1.</translation>
    </message>
    <message>
        <source>動画は%1 FPSまでしか書き出せません。アニメーションの設定でFPSを下げてください。</source>
        <translation>Movies are written at up to %1 FPS. Lower the FPS in the animation settings.</translation>
    </message>
    <message>
        <source>一度に書き出せるフレームは%1枚までです。</source>
        <translation>At most %1 frames can be exported at once.</translation>
    </message>
    <message>
        <source>GIF・APNG・WebP はPNGのフレームから作ります。ファイル形式をPNGにしてください。</source>
        <translation>GIF, APNG and WebP are made from PNG frames. Set the file type to PNG.</translation>
    </message>
    <message>
        <source>画質は0から100の範囲で指定してください。</source>
        <translation>Quality must be from 0 to 100.</translation>
    </message>
    <message>
        <source>余白は0から%1の範囲で指定してください。</source>
        <translation>Padding must be from 0 to %1.</translation>
    </message>
    <message>
        <source>縁の複製は0から%1の範囲で指定してください。</source>
        <translation>Extrude must be from 0 to %1.</translation>
    </message>
    <message>
        <source>最大サイズは1から%1の範囲で指定してください。</source>
        <translation>Maximum size must be from 1 to %1.</translation>
    </message>
    <message>
        <source>最大サイズ%1にはフレーム（%2×%3、余白と縁を含む）が収まりません。</source>
        <translation>A frame (%2×%3 with padding and extrude) does not fit the maximum size %1.</translation>
    </message>
    <message>
        <source>%1マス</source>
        <translation>%1 cells</translation>
    </message>
    <message>
        <source>1マス</source>
        <translation>1 cell</translation>
    </message>
    <message>
        <source>シートの大きさ：%s</source>
        <translation>Sheet size: %s</translation>
    </message>
    <message>
        <source>切り取り前の大きさです（実際はこれ以下）。</source>
        <translation>Size before trimming (the sheet will be no larger).</translation>
    </message>
    <message>
        <source>切り取り前の大きさです。詰めた後の並びと大きさは書き出し後に決まります。</source>
        <translation>Size before trimming. The packed layout and size are known after the export.</translation>
    </message>
</context>
</TS>
